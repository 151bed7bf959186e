#include "shell/frmAbout.h"

#include "shell/AppIcon.h"
#include "shell/AppServices.h"
#include "shell/LinkLabel.h"
#include "shell/ProgramTexts.h"
#include "shell/UiKit.h"
#include "shell/modHelp.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(appIcon());
    setFont(uiFont(8.25));

    NAMED(picIcon, this);
    picIcon->setPixmap(appIconPixmap(48));

    NAMED(Label2, this, kWindowCaption);
    Label2->setFont(uiFont(12, true));

    NAMED(Label1, this,
          QStringLiteral("%1 %2 %3")
              .arg(kProgramDescription, kAlgorithmNote,
                   QStringLiteral("© 2026 The Selenoscope developers. "
                                  "Released under the MIT licence.")));
    Label1->setWordWrap(true);

    NAMED(Line2, this);
    Line2->setFrameShape(QFrame::HLine);
    Line2->setFrameShadow(QFrame::Sunken);

    NAMED(Label3, this,
          QStringLiteral("Home Business Opportunity. Start your own Internet business and make "
                         "money online. Get this software fully branded for your website."));
    Label3->setWordWrap(true);

    NAMED(lblCobrand, this, QStringLiteral("Click here for more details"));
    lblCobrand->setFont(uiFont(8.25, true, true));
    NAMED(lblHomePage, this, QStringLiteral("Visit us at %1").arg(modHelp::SiteName()));
    lblHomePage->setFont(uiFont(8.25, true, true));

    NAMED(cmdOK, this, QStringLiteral("Ok"));
    cmdOK->setDefault(true);

    auto* heading = new QHBoxLayout;
    heading->addWidget(picIcon);
    heading->addWidget(Label2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addWidget(Label1);
    layout->addWidget(Line2);
    layout->addWidget(Label3);
    layout->addWidget(lblCobrand);
    layout->addWidget(lblHomePage);
    layout->addLayout(buttons);
    // The description wraps: the box is as tall as the wrapped texts need at its width.
    constexpr int kWidth = 360;
    setFixedSize(kWidth, heightForWidth(kWidth));

    // OK comes first for the keyboard, so that Enter closes the box; the links follow.
    setTabOrder(cmdOK, lblCobrand);
    setTabOrder(lblCobrand, lblHomePage);
    cmdOK->setFocus();

    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(lblCobrand, &LinkLabel::clicked, &modHelp::OpenFullBrandPage);
    connect(lblHomePage, &LinkLabel::clicked, &modHelp::OpenHomePage);
}
