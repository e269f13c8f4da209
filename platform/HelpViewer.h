#pragma once

#include <QWidget>

class QTextBrowser;

// The program's help window: one HTML file, read-only, beside the clock and
// never in its way. Closing it only hides it, and it does not keep the program
// running once the clock is gone.
class HelpViewer final : public QWidget
{
    Q_OBJECT

public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows the file from its start, or only brings the window forward when it
    // shows that file already. False when the file cannot be read.
    bool showFile(const QString& helpFile);

private:
    QTextBrowser* m_browser;
    QString m_file;
};
