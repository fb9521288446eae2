#include "app/Sprache.h"

#include "app/Logo.h"
#include "app/Panel.h"
#include "app/Schrift.h"

#include <QLabel>
#include <QPushButton>

namespace {

QLabel* Beschriftung(QWidget* eltern, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, eltern);
    label->move(x, y);
    label->adjustSize();
    return label;
}

} // namespace

TAboutBox::TAboutBox(QWidget* eltern) : QDialog(eltern)
{
    // A dialog frame: fixed size, a close button, nothing to minimise.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Info"));
    setFont(FensterSchrift());
    setFixedSize(298, 213);
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);

    Panel1 = new TPanel(this);
    Panel1->setGeometry(8, 8, 281, 161);
    Image1 = new TLogo(Panel1);
    Image1->setGeometry(8, 8, 75, 51);
    ProductName = Beschriftung(Panel1, QStringLiteral("Dubrinax"), 88, 16);
    Version = Beschriftung(Panel1, QStringLiteral("Version") + QStringLiteral(": 1.0"), 88, 37);
    wwwSeite = new QLabel(QStringLiteral("https://dubrinax.example.org"), Panel1);
    wwwSeite->setWordWrap(true);
    wwwSeite->move(88, 58);
    wwwSeite->setFixedWidth(141);
    wwwSeite->adjustSize();
    Copyright = Beschriftung(Panel1, QString::fromUtf8("Copyright © 2026 die Entwickler von Dubrinax"), 8, 80);

    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setGeometry(111, 180, 75, 25);
    OKButton->setDefault(true);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::Zeigen(const QWidget& hauptfenster)
{
    if (!platziert_) {
        const QRect haupt = hauptfenster.frameGeometry();
        const QRect box = frameGeometry();
        // Truncating division, as for the main window's own centring.
        move(haupt.left() + (haupt.width() - box.width()) / 2, haupt.top() + (haupt.height() - box.height()) / 2);
        platziert_ = true;
    }
    exec();
}
