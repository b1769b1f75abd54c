#include "gui/shell/windowbar.h"

#include "core/db/sql.h"
#include "gui/shell/messages.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QToolButton>

#include <algorithm>

namespace korvessa {

using namespace Qt::StringLiterals;

namespace {

void setTextColour(QToolButton* b, const QColor& c)
{
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::WindowText, c);
    b->setPalette(p);
}

const QColor kActive(0, 0, 255);

} // namespace

QList<QMdiSubWindow*> windowsTopFirst(QMdiArea* area, const QObject* leaveOut)
{
    QList<QMdiSubWindow*> list = area->subWindowList(QMdiArea::StackingOrder);
    std::reverse(list.begin(), list.end());
    // The active window is the topmost; keep it first even while a newly
    // shown window has not been raised yet.
    if (QMdiSubWindow* active = area->activeSubWindow(); active && list.contains(active)) {
        list.removeOne(active);
        list.prepend(active);
    }
    list.removeIf([leaveOut](QMdiSubWindow* w) { return w == leaveOut; });
    return list;
}

WindowBar::WindowBar(QMdiArea* area, QWidget* parent)
    : QFrame(parent)
    , m_area(area)
    , m_slots(kSlots)
{
    setObjectName(u"pnlSpeedBar"_s);
    setFixedHeight(26);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(192, 220, 192));
    setPalette(p);
}

QList<QToolButton*> WindowBar::buttons() const
{
    QList<QToolButton*> list;
    for (int i = 0; i < kSlots; ++i) {
        if (auto* b = findChild<QToolButton*>(u"btn"_s + QString::number(i), Qt::FindDirectChildrenOnly))
            list.append(b);
    }
    return list;
}

void WindowBar::rebuild(const QObject* released)
{
    for (QToolButton* b : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly)) {
        b->hide();
        b->setObjectName(QString());
        b->deleteLater();
    }
    m_slots.fill(QString());
    const QList<QMdiSubWindow*> windows = windowsTopFirst(m_area, released);
    for (int i = 0; i < windows.size() && i < kSlots; ++i) {
        auto row = sql::first(m_db, u"select * from sampleright where form_name = :name"_s,
            { { u":name"_s, windows.at(i)->objectName() } });
        if (!row) {
            Messages::instance().refuse(window(), row.refusal());
            return;
        }
        const bool found = row->has_value();
        m_slots[i] = found ? sql::text(**row, u"form_name"_s) : QString();
        auto* b = new QToolButton(this);
        b->setObjectName(u"btn"_s + QString::number(i));
        b->setAutoRaise(true);
        b->setText(found ? sql::text(**row, u"u_progname"_s) : QString());
        b->setGeometry(i * kButtonWidth, 0, kButtonWidth, height());
        setTextColour(b, i == 0 ? kActive : QColor(Qt::black));
        connect(b, &QToolButton::clicked, this, [this, b] { buttonClicked(b); });
        b->show();
    }
}

void WindowBar::buttonClicked(QToolButton* button)
{
    const QList<QMdiSubWindow*> windows = m_area->subWindowList();
    if (windows.size() == 1)
        windows.first()->showMaximized();
    if (windows.size() <= 1)
        return;
    const QString name = button->objectName();
    const QString target = slot(name.right(1).toInt());
    for (QMdiSubWindow* w : windows) {
        if (!target.isEmpty() && w->objectName() == target) {
            w->showMaximized();
            m_area->setActiveSubWindow(w);
        }
    }
    for (QToolButton* b : buttons())
        setTextColour(b, Qt::black);
    setTextColour(button, kActive);
}

} // namespace korvessa
