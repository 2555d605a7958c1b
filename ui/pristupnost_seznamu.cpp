#include "pristupnost_seznamu.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <utility>
#include <QWindow>

#include "seznamy.h"

namespace {

TPozorovatelSeznamu gPozorovatel = nullptr;

// One line, made when a screen reader asks for it. It stands for its line
// number only while the list keeps the lines it had then.
class TPristupnyRadek : public QAccessibleInterface,
                        public QAccessibleTableCellInterface,
                        public QAccessibleActionInterface {
public:
    TPristupnyRadek(TListBox* seznam, int radek) : seznam_(seznam), radek_(radek), verze_(seznam->Verze()) {}

    bool isValid() const override
    {
        return seznam_ != nullptr && seznam_->Verze() == verze_ && radek_ < seznam_->count();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return seznam_ != nullptr ? seznam_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(seznam_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text druh) const override
    {
        if (!isValid())
            return QString();
        if (druh == QAccessible::Name)
            return seznam_->Text(radek_);
        return druh == QAccessible::Description ? seznam_->Ohlaseni(radek_) : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType druh) override;

    bool isSelected() const override { return isValid() && seznam_->selectionModel()->isSelected(index()); }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return 0; }
    int rowIndex() const override { return radek_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    // Press chooses the line as a click does; toggle ticks its check box.
    QStringList actionNames() const override;
    void doAction(const QString& akce) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QModelIndex index() const { return seznam_->Index(radek_); }

    QPointer<TListBox> seznam_;
    int radek_;
    std::uint64_t verze_;
};

QRect TPristupnyRadek::rect() const
{
    if (!isValid())
        return QRect();
    const QRect misto = seznam_->visualRect(index());
    return QRect(seznam_->viewport()->mapToGlobal(misto.topLeft()), misto.size());
}

QAccessible::State TPristupnyRadek::state() const
{
    QAccessible::State stav;
    if (!isValid()) {
        stav.invalid = true;
        return stav;
    }
    stav.selectable = true;
    stav.focusable = true;
    stav.selected = isSelected();
    stav.focused = seznam_->hasFocus() && seznam_->currentRow() == radek_;
    stav.disabled = !seznam_->isEnabled();
    stav.invisible = !seznam_->isVisible();
    stav.offscreen = stav.invisible || !seznam_->visualRect(index()).intersects(seznam_->viewport()->rect());
    if (seznam_->MaZaskrtnuti()) {
        stav.checkable = true;
        stav.checked = seznam_->Zaskrtnuto(radek_);
    }
    return stav;
}

void* TPristupnyRadek::interface_cast(QAccessible::InterfaceType druh)
{
    if (druh == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (druh == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList TPristupnyRadek::actionNames() const
{
    if (!isValid())
        return {};
    QStringList akce{pressAction()};
    if (seznam_->MaZaskrtnuti())
        akce << toggleAction();
    return akce;
}

void TPristupnyRadek::doAction(const QString& akce)
{
    if (!isValid())
        return;
    if (akce == pressAction())
        seznam_->ZvolRadek(radek_);
    else if (akce == toggleAction())
        seznam_->PrepniZaskrtnuti(radek_);
}

// The list: one child per line, made when first asked for and forgotten
// when the list is refilled, so a list of a million lines costs only the
// lines a screen reader looks at.
class TPristupnySeznam : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit TPristupnySeznam(TListBox* seznam) : QAccessibleWidget(seznam, QAccessible::List), verze_(seznam->Verze())
    {
    }
    ~TPristupnySeznam() override { zapomenRadky(); }

    int childCount() const override { return seznam()->count(); }
    // A message for a list without a current line stands in its description.
    QString text(QAccessible::Text druh) const override
    {
        const QString ohlas = druh == QAccessible::Description ? seznam()->Ohlaseni(-1) : QString();
        return ohlas.isEmpty() ? QAccessibleWidget::text(druh) : ohlas;
    }
    QAccessibleInterface* child(int radek) const override;
    int indexOfChild(const QAccessibleInterface* dite) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType druh) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int radek, int sloupec) const override
    {
        return sloupec == 0 ? child(radek) : nullptr;
    }
    int selectedCellCount() const override { return static_cast<int>(selectedRows().size()); }
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int) const override { return QString(); }
    QString rowDescription(int) const override { return QString(); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
    int columnCount() const override { return 1; }
    int rowCount() const override { return seznam()->count(); }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int radek) const override;
    bool selectRow(int radek) override;
    bool selectColumn(int) override { return false; }
    // A line is chosen, never merely unchosen.
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override { overVerzi(); }

private:
    TListBox* seznam() const { return static_cast<TListBox*>(widget()); }
    // Forgets the lines made for an earlier filling of the list.
    void overVerzi() const;
    void zapomenRadky() const;

    mutable QHash<int, QAccessible::Id> radky_;
    mutable std::uint64_t verze_;
};

void TPristupnySeznam::overVerzi() const
{
    if (verze_ == seznam()->Verze())
        return;
    zapomenRadky();
    verze_ = seznam()->Verze();
}

void TPristupnySeznam::zapomenRadky() const
{
    for (const QAccessible::Id id : std::as_const(radky_))
        QAccessible::deleteAccessibleInterface(id);
    radky_.clear();
}

QAccessibleInterface* TPristupnySeznam::child(int radek) const
{
    overVerzi();
    if (radek < 0 || radek >= seznam()->count())
        return nullptr;
    if (const auto znamy = radky_.constFind(radek); znamy != radky_.cend())
        return QAccessible::accessibleInterface(*znamy);
    auto* novy = new TPristupnyRadek(seznam(), radek);
    radky_.insert(radek, QAccessible::registerAccessibleInterface(novy));
    return novy;
}

int TPristupnySeznam::indexOfChild(const QAccessibleInterface* dite) const
{
    const auto* radek = dynamic_cast<const TPristupnyRadek*>(dite);
    if (radek == nullptr || !radek->isValid() || radek->table() != this)
        return -1;
    return radek->rowIndex();
}

QAccessibleInterface* TPristupnySeznam::childAt(int x, int y) const
{
    const QPoint bod = seznam()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!seznam()->viewport()->rect().contains(bod))
        return nullptr;
    const QModelIndex index = seznam()->indexAt(bod);
    return index.isValid() ? child(index.row()) : nullptr;
}

QAccessibleInterface* TPristupnySeznam::focusChild() const
{
    return seznam()->hasFocus() ? child(seznam()->currentRow()) : nullptr;
}

void* TPristupnySeznam::interface_cast(QAccessible::InterfaceType druh)
{
    if (druh == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(druh);
}

QList<int> TPristupnySeznam::selectedRows() const
{
    QList<int> radky;
    for (const QModelIndex& index : seznam()->selectionModel()->selectedIndexes())
        radky << index.row();
    return radky;
}

QList<QAccessibleInterface*> TPristupnySeznam::selectedCells() const
{
    QList<QAccessibleInterface*> bunky;
    for (const int radek : selectedRows())
        bunky << child(radek);
    return bunky;
}

bool TPristupnySeznam::isRowSelected(int radek) const
{
    return radek >= 0 && radek < seznam()->count() && seznam()->selectionModel()->isSelected(seznam()->Index(radek));
}

bool TPristupnySeznam::selectRow(int radek)
{
    if (radek < 0 || radek >= seznam()->count())
        return false;
    seznam()->ZvolRadek(radek);
    return true;
}

} // namespace

QAccessibleInterface* PristupnostSeznamu(const QString& trida, QObject* objekt)
{
    if (trida != QLatin1String("TListBox"))
        return nullptr;
    auto* seznam = qobject_cast<TListBox*>(objekt);
    return seznam != nullptr ? new TPristupnySeznam(seznam) : nullptr;
}

TPozorovatelSeznamu NastavPozorovateleSeznamu(TPozorovatelSeznamu pozorovatel)
{
    return std::exchange(gPozorovatel, pozorovatel);
}

bool SeznamySlysi()
{
    return gPozorovatel != nullptr || QAccessible::isActive();
}

void OhlasSeznamu(QAccessibleEvent* udalost)
{
    if (gPozorovatel != nullptr)
        gPozorovatel(udalost);
    QAccessible::updateAccessibility(udalost);
}
