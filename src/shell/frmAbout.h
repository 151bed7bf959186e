#pragma once

#include <QDialog>

class LinkLabel;
class QFrame;
class QLabel;
class QPushButton;

/// The about box: title, description, the branding offer and the home page link.
class frmAbout final : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

private:
    QLabel* picIcon = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label1 = nullptr;
    QFrame* Line2 = nullptr;
    QLabel* Label3 = nullptr;
    LinkLabel* lblCobrand = nullptr;
    LinkLabel* lblHomePage = nullptr;
    QPushButton* cmdOK = nullptr;
};
