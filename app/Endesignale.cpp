#include "app/Endesignale.h"

#include "util/Plattform.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <cstdlib>

namespace {

// The object an exit() saves through; null while none lives.
TEndesignale* aktiv = nullptr;

} // namespace

TEndesignale::TEndesignale(std::function<void()> sichern, QObject* eltern)
    : QObject(eltern), sichern_(std::move(sichern))
{
    // The pipe and the handlers stay for the process's life: a signal after
    // we are gone still only writes its byte, and the program is ending then.
    static const int lesen = plattform::EndesignaleUmleiten();
    lesen_ = lesen;
    if (lesen_ >= 0) {
        melder_ = new QSocketNotifier(lesen_, QSocketNotifier::Read, this);
        connect(melder_, &QSocketNotifier::activated, this, &TEndesignale::SignalGekommen);
    }
    // When the X server goes away (a logout, a crash of the display), Qt's
    // xcb platform calls exit(1) from within the message loop: the window
    // and its fields are still there, only the display is gone.
    static const bool angemeldet = std::atexit(&TEndesignale::BeimExit) == 0;
    (void)angemeldet;
    // A session manager that ends the session asks first.
    if (auto* anwendung = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(anwendung, &QGuiApplication::commitDataRequest, this, [this] { sichern_(); });
    aktiv = this;
}

TEndesignale::~TEndesignale()
{
    if (aktiv == this)
        aktiv = nullptr;
}

void TEndesignale::SignalGekommen()
{
    const int signal = plattform::EndesignalLesen(lesen_);
    if (signal == 0)
        return;
    aktiv = nullptr;
    sichern_();
    plattform::AmSignalEnden(signal);
}

void TEndesignale::Nachsehen()
{
    if (aktiv && plattform::EndesignalWartet())
        aktiv->SignalGekommen();
}

void TEndesignale::BeimExit()
{
    TEndesignale* objekt = aktiv;
    aktiv = nullptr;
    if (objekt)
        objekt->sichern_();
}
