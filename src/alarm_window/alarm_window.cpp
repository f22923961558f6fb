// SPDX-License-Identifier: GPL-3.0-or-later
#include "alarm_window.h"

#include "alarm/alarm_list_model.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {
constexpr int FontPoints = 16;
constexpr QSize WindowSize{1100, 400};
} // namespace

AlarmWindow::AlarmWindow(AlarmListModel& model, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_model(model)
{
    setObjectName(QStringLiteral("AlarmWindow"));
    setWindowTitle(QStringLiteral("Alarm"));
    // Someone may be typing an entry somewhere else: the alarm shows, the
    // keyboard stays where it was.
    setAttribute(Qt::WA_ShowWithoutActivating);
    QFont large = font();
    large.setPointSize(FontPoints);
    setFont(large);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("alarms"));
    m_table->setAccessibleName(QStringLiteral("Offene Alarme"));
    m_table->setModel(&m_model);
    m_table->setSelectionMode(QAbstractItemView::NoSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setFocusPolicy(Qt::NoFocus);
    m_table->setWordWrap(true);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(AlarmListModel::TextColumn,
                                                      QHeaderView::Stretch);
    QFont bold = large;
    bold.setBold(true);
    m_beyond = new QLabel(this);
    m_beyond->setObjectName(QStringLiteral("beyond"));
    m_acknowledge = new QPushButton(QStringLiteral("&Quittieren"), this);
    m_acknowledge->setObjectName(QStringLiteral("acknowledge"));
    m_acknowledge->setAccessibleName(QStringLiteral("Quittieren"));
    m_acknowledge->setFont(bold);
    connect(m_acknowledge, &QPushButton::clicked, this, &AlarmWindow::acknowledgeRequested);
    // Return acknowledges when the window has the focus, as in a dialog.
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter})
        connect(new QShortcut(QKeySequence(key), this), &QShortcut::activated, m_acknowledge,
                &QPushButton::click);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_beyond);
    layout->addWidget(m_acknowledge);
    resize(WindowSize);

    // "seit m:ss" turns over within a quarter second of the full second.
    m_ticker.setInterval(250);
    connect(&m_ticker, &QTimer::timeout, &m_model, &AlarmListModel::tick);
    connect(&m_model, &QAbstractItemModel::modelReset, this, [this] {
        m_beyond->setText(m_model.beyondListed());
        m_table->resizeRowsToContents(); // long texts wrap
    });
}

void AlarmWindow::follow(bool alarmsOpen, int barHeight)
{
    if (!alarmsOpen) {
        m_ticker.stop();
        hide();
        return;
    }
    m_ticker.start();
    if (!isVisible()) {
        place(barHeight);
        show();
    }
    raise();
}

void AlarmWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    m_acknowledge->setFocus();
}

void AlarmWindow::place(int barHeight)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry().adjusted(0, barHeight, 0, 0);
    // Wide enough for the text column on any screen it fits on.
    resize(std::min(WindowSize.width(), area.width() * 9 / 10), height());
    QRect frame(QPoint(), size());
    frame.moveCenter(area.center());
    frame.moveTop(std::max(frame.top(), area.top()));
    move(frame.topLeft());
}
