#include "controls/TabStrip.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>

namespace {

// Tabs as narrow as their captions allow, so that all four fit the strip's
// designed width whatever the desktop's style pads them with.
class CompactTabs final : public QProxyStyle
{
public:
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_TabBarTabHSpace)
            return 10;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

TabStrip::TabStrip(const QStringList& captions, QWidget* parent)
    : QWidget(parent)
    , m_tabBar(new QTabBar(this))
{
    auto* style = new CompactTabs;
    style->setParent(m_tabBar);
    m_tabBar->setStyle(style);
    m_tabBar->setUsesScrollButtons(false);
    m_tabBar->setElideMode(Qt::ElideNone);
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    for (const QString& caption : captions)
        m_tabBar->addTab(caption);
    m_tabBar->setCurrentIndex(0);
    connect(m_tabBar, &QTabBar::currentChanged, this, &TabStrip::Click);
}

int TabStrip::SelectedIndex() const
{
    return m_tabBar->currentIndex() + 1;
}

int TabStrip::TabCount() const
{
    return m_tabBar->count();
}

void TabStrip::resizeEvent(QResizeEvent*)
{
    m_tabBar->setGeometry(0, 0, width(), m_tabBar->sizeHint().height());
}

void TabStrip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.rect = rect().adjusted(0, m_tabBar->height() - 1, 0, 0);
    frame.shape = QTabBar::RoundedNorth;
    frame.tabBarSize = m_tabBar->sizeHint();
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
