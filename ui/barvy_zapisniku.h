// The notebook's colours as the palette shows them. The document keeps the
// colours that were written, and files and prints carry them; on a palette
// other than the default one, the view draws each in what BarvaTextu shows
// for it on the editor's background (black as the palette's text).
#pragma once

#include <QObject>

class QTextEdit;

class TBarvyZapisniku : public QObject {
    Q_OBJECT
public:
    // Watches the editor for the whole of its life.
    explicit TBarvyZapisniku(QTextEdit& editor);

protected:
    bool eventFilter(QObject* objekt, QEvent* udalost) override;

private:
    // Lays the shown colours over the runs whose colour would not read, as
    // the editor's extra selections, which the view draws and the document
    // never holds.
    void obnov();

    QTextEdit& editor_;
    bool zastarale_ = true;
    bool prekryto_ = false;
};
