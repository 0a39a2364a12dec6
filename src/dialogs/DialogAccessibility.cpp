// The dialogs' own accessibility interfaces, made by a factory beside Qt's: pictures, sponsor
// links, slot panels, the bonus window and its boxes; and the pay table in words.
#include "dialogs/DialogAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QLabel>
#include <QPointer>
#include <QStringList>
#include <QTimer>

#include <array>
#include <optional>

#include "dialogs/AdLink.h"
#include "dialogs/BonusWindow.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/PictureControl.h"
#include "dialogs/SlotDialogLook.h"
#include "engine/PayTable.h"
#include "pictures/TableLayout.h"

namespace dialogs {
namespace {

constexpr int BoxCount = pictures::layout::BoxCount;

// A sponsor advertisement: with an address, a link that a screen reader can
// press; without one, a picture or a text. Named by its caption, or by the
// name given to its picture.
class AdLinkInterface : public QAccessibleWidget {
public:
    explicit AdLinkInterface(AdLink* link) : QAccessibleWidget(link) {}

    QAccessible::Role role() const override
    {
        if (!Link().Link().isEmpty()) return QAccessible::Link;
        return Link().pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && Link().accessibleName().isEmpty()) return Link().text();
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        state.linked = !Link().Link().isEmpty();
        // A picture that could not be read leaves nothing to see or press.
        if (Link().size().isEmpty()) state.invisible = true;
        return state;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (Link().Pressable()) names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // The browser may be slow or tell of a failure: never inside the
        // screen reader's call.
        if (Link().Pressable()) QMetaObject::invokeMethod(&Link(), &AdLink::Activate, Qt::QueuedConnection);
    }

private:
    AdLink& Link() const { return *static_cast<AdLink*>(widget()); }
};

// A slot panel: only its name field and its button, which reads as the whole
// panel; the labels it is drawn with would repeat the button's name.
class SlotPanelInterface : public QAccessibleWidget {
public:
    explicit SlotPanelInterface(QWidget* panel) : QAccessibleWidget(panel) {}

    int childCount() const override { return static_cast<int>(Items().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> items = Items();
        if (index < 0 || index >= items.size()) return nullptr;
        return QAccessible::queryAccessibleInterface(items.at(index));
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        QWidget* item = child != nullptr ? qobject_cast<QWidget*>(child->object()) : nullptr;
        return item != nullptr ? static_cast<int>(Items().indexOf(item)) : -1;
    }

private:
    QList<QWidget*> Items() const
    {
        QList<QWidget*> items;
        for (QObject* object : widget()->children()) {
            auto* item = qobject_cast<QWidget*>(object);
            if (item != nullptr && !item->isWindow() && qobject_cast<QLabel*>(item) == nullptr) items.append(item);
        }
        return items;
    }
};

// One box of the bonus window's picture, as a button: pressed, it is clicked
// as the mouse would click it, and only while the window would take that click.
class BonusBoxInterface : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    BonusBoxInterface(BonusWindow* form, int box) : form_(form), box_(box) {}

    bool isValid() const override { return !form_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return form_ ? form_->window()->windowHandle() : nullptr; }

    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(form_.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !form_) return {};
        const QString name = QStringLiteral("Box %1").arg(box_);
        const std::optional<int32_t> held = form_->OpenedContents(box_);
        if (!held) return name;
        return *held > 0 ? QStringLiteral("%1, %2 credits").arg(name).arg(*held) : name + QStringLiteral(", empty");
    }
    void setText(QAccessible::Text, const QString&) override {}

    QRect rect() const override
    {
        if (!form_) return {};
        const QRect area = pictures::layout::BoxArea(box_);
        return QRect(form_->ClosedBoxes.mapToGlobal(area.topLeft()), area.size());
    }

    QAccessible::Role role() const override { return QAccessible::Button; }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!form_ || !form_->isVisible()) {
            state.invisible = true;
            return state;
        }
        state.disabled = !form_->BoxTakesClick(box_);
        return state;
    }

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override
    {
        return form_ && form_->BoxTakesClick(box_) ? QStringList{pressAction()} : QStringList{};
    }

    void doAction(const QString& action) override
    {
        if (action != pressAction() || !form_ || !form_->BoxTakesClick(box_)) return;
        // Opening a box plays its sound and may tell the player something:
        // never inside the screen reader's call. The click is looked at again
        // when it happens, as a real one would be.
        BonusWindow* form = form_.data();
        const int box = box_;
        QTimer::singleShot(0, form, [form, box] { form->ClickBox(box); });
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<BonusWindow> form_;
    int box_;
};

// The bonus window: its pictures, then its eight boxes.
class BonusWindowInterface : public QAccessibleWidget {
public:
    explicit BonusWindowInterface(BonusWindow* form) : QAccessibleWidget(form, QAccessible::Dialog)
    {
        for (int box = 1; box <= BoxCount; ++box) {
            auto* iface = new BonusBoxInterface(form, box);
            ids_[static_cast<size_t>(box - 1)] = QAccessible::registerAccessibleInterface(iface);
            boxes_[static_cast<size_t>(box - 1)] = iface;
        }
    }

    ~BonusWindowInterface() override
    {
        for (const QAccessible::Id id : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    // Box 1..8.
    QAccessibleInterface* Box(int box) const { return boxes_.at(static_cast<size_t>(box - 1)); }

    int childCount() const override { return QAccessibleWidget::childCount() + BoxCount; }

    QAccessibleInterface* child(int index) const override
    {
        const int pictures = QAccessibleWidget::childCount();
        if (index >= pictures && index < pictures + BoxCount) return boxes_[static_cast<size_t>(index - pictures)];
        return QAccessibleWidget::child(index);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (int k = 0; k < BoxCount; ++k) {
            if (boxes_[static_cast<size_t>(k)] == child) return QAccessibleWidget::childCount() + k;
        }
        return QAccessibleWidget::indexOfChild(child);
    }

    // A box before the picture it is drawn on.
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (QAccessibleInterface* box : boxes_) {
            if (!box->state().invisible && box->rect().contains(x, y)) return box;
        }
        return QAccessibleWidget::childAt(x, y);
    }

private:
    std::array<QAccessibleInterface*, BoxCount> boxes_{};
    std::array<QAccessible::Id, BoxCount> ids_{};
};

QAccessibleInterface* DialogInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("dialogs::PictureControl")) {
        if (auto* image = qobject_cast<PictureControl*>(object))
            return new QAccessibleWidget(image, QAccessible::Graphic);
    } else if (className == QLatin1String("dialogs::AdLink")) {
        if (auto* link = qobject_cast<AdLink*>(object)) return new AdLinkInterface(link);
    } else if (className == QLatin1String("dialogs::HelpWindow")) {
        // A window of its own, not a part of another.
        if (auto* help = qobject_cast<HelpWindow*>(object)) return new QAccessibleWidget(help, QAccessible::Window);
    } else if (className == QLatin1String("dialogs::BonusWindow")) {
        if (auto* form = qobject_cast<BonusWindow*>(object)) return new BonusWindowInterface(form);
    } else if (className == QLatin1String("dialogs::slotlook::SlotPanel")) {
        if (auto* panel = qobject_cast<slotlook::SlotPanel*>(object)) return new SlotPanelInterface(panel);
    }
    return nullptr;
}

}  // namespace

void InstallDialogAccessibility()
{
    // Qt keeps a factory once however often it is installed.
    QAccessible::installFactory(&DialogInterface);
}

// Before any window exists: an interface Qt made before would stay in its cache.
Q_COREAPP_STARTUP_FUNCTION(InstallDialogAccessibility)

QString PayTableText()
{
    QStringList rules;
    for (int k = 0; k < engine::PayRuleCount; ++k) {
        const auto rule = static_cast<engine::PayRule>(k);
        rules << QStringLiteral("%1 pays %2")
                     .arg(QString::fromLatin1(engine::PayRuleDescription(rule)))
                     .arg(engine::PayFactor(rule));
    }
    return QStringLiteral("Wins per coin bet; only the first rule that matches pays: ") +
           rules.join(QStringLiteral("; ")) + QLatin1Char('.');
}

void AnnounceBonusBoxes(BonusWindow& form)
{
    if (!QAccessible::isActive()) return;
    auto* window = dynamic_cast<BonusWindowInterface*>(QAccessible::queryAccessibleInterface(&form));
    if (window == nullptr) return;
    for (int box = 1; box <= BoxCount; ++box) {
        QAccessibleInterface* iface = window->Box(box);
        QAccessible::State changed;
        changed.disabled = true;
        QAccessibleStateChangeEvent stateEvent(iface, changed);
        QAccessible::updateAccessibility(&stateEvent);
        if (form.OpenedContents(box)) {
            QAccessibleEvent nameEvent(iface, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&nameEvent);
        }
    }
}

}  // namespace dialogs
