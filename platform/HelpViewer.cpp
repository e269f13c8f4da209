#include "platform/HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setWindowTitle(QStringLiteral("Tansywatch Help"));
    setAttribute(Qt::WA_QuitOnClose, false);
    m_browser->setOpenLinks(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(480, 560);
}

bool HelpViewer::showFile(const QString& helpFile)
{
    const QString file = QFileInfo(helpFile).absoluteFilePath();
    if (!isVisible() || file != m_file) {
        QFile in(file);
        if (!in.open(QIODevice::ReadOnly))
            return false;
        m_browser->setHtml(QString::fromUtf8(in.readAll()));
        m_browser->verticalScrollBar()->setValue(0);
        m_file = file;
    }
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    return true;
}
