// The least any Qt Widgets clock can rest at: one frameless window of the
// clock's size showing a picture, repainted once a second. tools/idle_cost.sh
// runs it beside the clock, so that memory is judged against what the toolkit
// itself takes on the same machine, not against a number from elsewhere.
#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace {

class FloorWindow final : public QWidget
{
public:
    FloorWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
        , m_picture(QStringLiteral(":/pictures/clock_body.gif"))
    {
        setFixedSize(142, 198);
        connect(&m_timer, &QTimer::timeout, this, qOverload<>(&QWidget::update));
        m_timer.start(1000);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), Qt::lightGray);
        painter.drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
    QTimer m_timer;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    FloorWindow window;
    window.show();
    return QApplication::exec();
}
