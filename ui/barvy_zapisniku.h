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
    // Notes the stretch of the document that an edit changed.
    void zmena(int od, int odebrano, int pridano);
    // Lays the shown colours over the runs whose colour would not read, as
    // the editor's extra selections, which the view draws and the document
    // never holds. Only the blocks changed since the last time are read
    // again: a key typed after an entry of 100,000 lines reads one block.
    void obnov();

    QTextEdit& editor_;
    bool vse_ = true;        // the whole document is to be read (a new palette)
    bool zmeneno_ = false;   // [od_, po_] changed since the last time
    int od_ = 0;
    int po_ = 0;
    bool prekryto_ = false;
};
