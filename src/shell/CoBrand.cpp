#include "shell/CoBrand.h"

#include <QWidget>

void CoBrand_Randomize(int& intCoBrandRandomNumber, QWidget& lblCobrand, QWidget& lblFullBrand)
{
    intCoBrandRandomNumber = CoBrandNumber(NextRandomSingle());
    switch (FrontOfferFor(intCoBrandRandomNumber)) {
    case FrontOffer::FullBrand:
        lblFullBrand.raise();
        break;
    case FrontOffer::CoBrand:
        lblCobrand.raise();
        break;
    case FrontOffer::AsLaidOut:
        break; // the layout's stacking stands
    }
}
