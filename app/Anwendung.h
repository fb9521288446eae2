#pragma once

#include <QApplication>
#include <QTranslator>

// The application object. Every event passes through notify, so it is the
// last place where an error that escaped a handler can still be shown in the
// error box before the program carries on.
class TAnwendung : public QApplication {
public:
    TAnwendung(int& argc, char** argv);

    bool notify(QObject* empfaenger, QEvent* ereignis) override;

private:
    QTranslator uebersetzung_; // Qt's own texts in German
};
