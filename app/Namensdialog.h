#pragma once

#include <QFileDialog>
#include <QString>

#include <string>

class QLineEdit;

// Qt's own file dialog as the window asks for names with it, mostly for a
// directory: it opens in the nearest existing directory of the name given
// and puts the rest of that name, usually "x", into its name box. That name
// keeps meaning "here": confirming it takes the directory the dialog shows,
// wherever the user went, even past a folder that happens to be called "x".
// A typed directory is taken as it is, absolute or relative to the one shown.
class TNamensDialog : public QFileDialog {
    Q_OBJECT

public:
    explicit TNamensDialog(QWidget* eltern = nullptr);

    // Opens in the nearest existing directory of name's directory part, with
    // the rest of name in the name box. Bytes as the file system names them.
    void NameVorgeben(const std::string& name);

    // The confirmed name, bytes as the file system names them; a directory
    // ends with the separator. Empty before the dialog was accepted.
    std::string Name() const;

    // OK or Enter: decides the preset name and typed directories itself,
    // leaves every other name to Qt.
    void accept() override;

    // The name box (Qt gives it no accessor of its own).
    QLineEdit* NamensFeld() const;

private:
    QString vorgabe_;  // the name put into the name box
    QString gewaehlt_; // the name accept decided on, native separators
};
