#pragma once

#include "shell/CoBrandRule.h"

class QWidget;

/// Draws once and brings one of the two promotional labels to the front, as
/// FrontOfferFor says; stores the number drawn.
void CoBrand_Randomize(int& intCoBrandRandomNumber, QWidget& lblCobrand, QWidget& lblFullBrand);
