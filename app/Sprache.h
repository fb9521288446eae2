#pragma once

// The about box: name, version, web address and copyright of the program.

#include <QDialog>

class QLabel;
class QPushButton;
class TLogo;
class TPanel;

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    explicit TAboutBox(QWidget* eltern = nullptr);

    // Shows the box modally. The first time it stands centred over
    // hauptfenster, afterwards where the user left it.
    void Zeigen(const QWidget& hauptfenster);

    // The components; non-owning, Qt's parent chain owns them.
    TPanel* Panel1 = nullptr;
    TLogo* Image1 = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* wwwSeite = nullptr;
    QLabel* Copyright = nullptr;
    QPushButton* OKButton = nullptr;

private:
    bool platziert_ = false;
};
