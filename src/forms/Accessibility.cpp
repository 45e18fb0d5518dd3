#include "forms/Accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

#include "forms/Controls.h"
#include "forms/Form.h"

namespace forms {
namespace {

// A menu item of a menu bar or a drop-down menu.
class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItemAccessible(MenuItem* item) : item_(item) {}

    bool isValid() const override { return item_ && owner(); }
    QObject* object() const override { return item_; }
    QWindow* window() const override { return owner() ? owner()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(owner()); }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 && item_->menu() ? QAccessible::queryAccessibleInterface(item_->menu()) : nullptr;
    }
    int childCount() const override { return item_->menu() ? 1 : 0; }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == item_->menu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name) return spokenCaption(item_->text());
        if (t == QAccessible::Accelerator) return item_->shortcut().toString(QKeySequence::NativeText);
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override
    {
        QRect r;
        if (auto* menu = qobject_cast<QMenu*>(owner())) r = menu->actionGeometry(item_);
        else if (auto* bar = qobject_cast<QMenuBar*>(owner())) r = bar->actionGeometry(item_);
        return r.isEmpty() ? r : QRect(owner()->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override
    {
        return item_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.disabled = !item_->isEnabled();
        s.focusable = item_->isEnabled();
        s.checkable = item_->isCheckable();
        s.checked = item_->isChecked();
        s.hasPopup = item_->menu() != nullptr;
        s.invisible = !item_->isVisible();
        if (auto* menu = qobject_cast<QMenu*>(owner())) s.focused = menu->activeAction() == item_;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        if (!item_->isEnabled() || item_->isSeparator()) return {};
        return {item_->menu() ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override
    {
        if (!item_->isEnabled()) return;
        if (name == pressAction()) item_->trigger();
        else if (name == showMenuAction() && item_->menu()) {
            if (auto* bar = qobject_cast<QMenuBar*>(owner())) bar->setActiveAction(item_);
            else item_->menu()->popup(rect().topRight());
        }
    }
    QStringList keyBindingsForAction(const QString&) const override
    {
        return item_->shortcut().isEmpty() ? QStringList() : QStringList{item_->shortcut().toString()};
    }

private:
    // The menu or menu bar that shows the item.
    QWidget* owner() const
    {
        if (!item_) return nullptr;
        for (QObject* o : item_->associatedObjects())
            if (qobject_cast<QMenu*>(o) || qobject_cast<QMenuBar*>(o)) return static_cast<QWidget*>(o);
        return nullptr;
    }

    QPointer<MenuItem> item_;
};

QAccessible::Role windowRole(const Form& form)
{
    // Windows with the full set of title-bar buttons are frames; the others, small windows that
    // serve the main one, dialogs.
    return form.windowFlags().testFlag(Qt::WindowMinimizeButtonHint) || !form.windowFlags().testFlag(Qt::CustomizeWindowHint)
               ? QAccessible::Window
               : QAccessible::Dialog;
}

QAccessibleInterface* interfaceFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("forms::MenuItem")) return new MenuItemAccessible(static_cast<MenuItem*>(object));
    if (className == QLatin1String("forms::Form"))
        if (auto* form = static_cast<Form*>(object); form->isWindow()) return new QAccessibleWidget(form, windowRole(*form));
    return nullptr;
}

}  // namespace

QString spokenCaption(QString caption)
{
    for (qsizetype i = 0; i < caption.size(); ++i)
        if (caption[i] == QLatin1Char('&')) caption.remove(i, 1);  // the next character stays
    return caption;
}

void installAccessibility()
{
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;
}

}  // namespace forms
