#pragma once

// A directory field that takes a folder dropped onto it from a file
// manager. One folder only: a file, or several items at once, say nothing
// about which directory to search, and are refused.

#include <QObject>

#include <functional>
#include <string>

class QLineEdit;
class QMimeData;

class TVerzeichnisablage : public QObject {
    Q_OBJECT

public:
    // Lets feld take drops; setzen gets the dropped folder's path. We are
    // the field's Qt child.
    TVerzeichnisablage(QLineEdit* feld, std::function<void(const std::string& pfad)> setzen);

    // The folder daten names: one local directory, its path's bytes ending
    // with the separator. False for anything else.
    static bool Verzeichnis(const QMimeData& daten, std::string& pfad);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    std::function<void(const std::string& pfad)> setzen_;
};
