#include "shell/app/FormTexts.h"

#include "shell/app/ColumnTitles.h"
#include "shell/app/QtText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QWidget>

namespace {

// Reads `key`; when present, hands the screen text to `assign`.
template <class Assign>
bool assignText(const FormTextSource& texts, const QString& key, Assign assign)
{
    std::optional<std::string> v = texts.text(fromQ(key));
    if (!v) return false;
    assign(FormTexts::screenText(*v));
    return true;
}

// The tab widget that shows `page` as one of its pages, or nullptr.
QTabWidget* tabOf(QWidget* page)
{
    auto* stack = qobject_cast<QStackedWidget*>(page->parentWidget());
    return stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
}

bool isSpeedButton(QObject* o)
{
    return qobject_cast<QToolButton*>(o) || (qobject_cast<QAbstractButton*>(o) && o->property("speedButton").toBool());
}

struct ListKeys {
    const char* view;
    const char* prefix;
    int columns;
    int blankColumns;  // columns from 0 that get seven blanks in front
};

// The card phone and message lists exist twice (record list and display list) and share keys.
constexpr ListKeys listKeys[] = {
    {"etSim", "etSIMPhonH", 3, 1},        {"etSim_Show", "etSIMPhonH", 3, 3},
    {"etSimMessage", "etSIMMsgH", 4, 1},  {"etSimMessage_Show", "etSIMMsgH", 4, 1},
    {"etPhone", "etPCPhonH", 6, 1},       {"etPCMessage", "etPCMsgH", 5, 1},
};

const QString sevenBlanks(7, QLatin1Char(' '));

QString titleOf(QObject* list, int i)
{
    if (auto* t = dynamic_cast<ColumnTitles*>(list)) return t->columnTitle(i);
    auto* view = qobject_cast<QAbstractItemView*>(list);
    return view && view->model() ? view->model()->headerData(i, Qt::Horizontal).toString() : QString();
}

void setTitle(QObject* list, int i, const QString& title)
{
    if (auto* t = dynamic_cast<ColumnTitles*>(list)) {
        if (i < t->titledColumnCount()) t->setColumnTitle(i, title);
        return;
    }
    auto* view = qobject_cast<QAbstractItemView*>(list);
    if (view && view->model() && i < view->model()->columnCount()) view->model()->setHeaderData(i, Qt::Horizontal, title);
}

}  // namespace

QString FormTexts::screenText(const std::string& ansi)
{
    QString s = toQ(ansi);
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

bool FormTexts::applyCaption(QObject* o, const FormTextSource& texts)
{
    const QString key = o->objectName();
    if (auto* a = qobject_cast<QAction*>(o)) return assignText(texts, key, [a](const QString& t) { a->setText(t); });
    if (auto* m = qobject_cast<QMenu*>(o)) return assignText(texts, key, [m](const QString& t) { m->setTitle(t); });
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return assignText(texts, key, [b](const QString& t) { b->setText(t); });
    if (auto* l = qobject_cast<QLabel*>(o)) return assignText(texts, key, [l](const QString& t) { l->setText(t); });
    if (auto* g = qobject_cast<QGroupBox*>(o)) return assignText(texts, key, [g](const QString& t) { g->setTitle(t); });
    auto* w = qobject_cast<QWidget*>(o);
    if (QTabWidget* tabs = w ? tabOf(w) : nullptr)
        return assignText(texts, key, [tabs, w](const QString& t) { tabs->setTabText(tabs->indexOf(w), t); });
    return false;
}

void FormTexts::applyCaptions(QWidget* form, const FormTextSource& texts)
{
    if (!texts.loaded()) return;
    assignText(texts, form->objectName(), [form](const QString& t) { form->setWindowTitle(t); });
    for (QObject* o : form->findChildren<QObject*>())
        if (!o->objectName().isEmpty()) applyCaption(o, texts);
}

void FormTexts::applyToolTips(QWidget* form, const FormTextSource& texts)
{
    if (!texts.loaded()) return;
    for (auto* b : form->findChildren<QAbstractButton*>()) {
        if (b->objectName().isEmpty() || !isSpeedButton(b)) continue;
        std::string tip = texts.text(fromQ(b->objectName() + QLatin1String("Hint")), fromQ(b->text()));
        b->setToolTip(screenText(tip));
    }
}

void FormTexts::applyColumnTitles(QWidget* form, const FormTextSource& texts)
{
    if (!texts.loaded()) return;
    for (const ListKeys& k : listKeys) {
        QObject* list = form->findChild<QObject*>(QLatin1String(k.view));
        if (!list) continue;
        for (int i = 0; i < k.columns; ++i) {
            std::string key = k.prefix + std::to_string(i);
            QString title = screenText(texts.text(key, fromQ(titleOf(list, i))));
            setTitle(list, i, i < k.blankColumns ? sevenBlanks + title : title);
        }
    }
}

void FormTexts::applyMainWindow(QWidget* window)
{
    LocalTexts& local = LocalTexts::current();
    FormTextSource texts = local.mainWindowTexts();
    if (!texts.loaded()) return;
    applyCaptions(window, texts);
    local.setApplicationTitle(fromQ(window->windowTitle()));
    applyToolTips(window, texts);
    applyColumnTitles(window, texts);
}

void FormTexts::applyDialog(QWidget* dialog, LocalTexts::DialogRule rule)
{
    applyCaptions(dialog, LocalTexts::current().dialogTexts(fromQ(dialog->objectName()), rule));
}
