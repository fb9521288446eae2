#pragma once

// A directory field that takes a folder dropped onto it from a file
// manager. Which drops are taken is the logic's rule (AbgelegtesVerzeichnis):
// one folder; a file, or several items at once, are refused.

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QLineEdit;
class QMimeData;

class TVerzeichnisablage : public QObject {
    Q_OBJECT

public:
    // Lets feld take drops; ablegen gets the dropped items' paths. We are
    // the field's Qt child.
    TVerzeichnisablage(QLineEdit* feld, std::function<void(const std::vector<std::string>& pfade)> ablegen);

    // The paths of the items daten holds, bytes as the file system names
    // them; an empty one for an item that is no local file.
    static std::vector<std::string> Pfade(const QMimeData& daten);
    // The folder daten names, ending with the separator; false for anything else.
    static bool Verzeichnis(const QMimeData& daten, std::string& pfad);

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override;

private:
    std::function<void(const std::vector<std::string>& pfade)> ablegen_;
};
