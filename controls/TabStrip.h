#pragma once

#include <QStringList>
#include <QWidget>

class QTabBar;

// A row of tabs over a framed area. The pages are not its children: whoever
// answers Click moves and shows them.
class TabStrip final : public QWidget
{
    Q_OBJECT

public:
    TabStrip(const QStringList& captions, QWidget* parent);

    // The selected tab, counted from 1.
    int SelectedIndex() const;
    int TabCount() const;
    QTabBar& tabBar() const { return *m_tabBar; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QTabBar* m_tabBar;
};
