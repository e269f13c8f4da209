#pragma once

#include "platform/CommonDialog.h"

#include <memory>

class HelpViewer;
class QFileDialog;

// The desktop's colour and file dialogs, and the program's own help window.
class QtCommonDialog final : public CommonDialog
{
public:
    QtCommonDialog();
    ~QtCommonDialog() override;
    QtCommonDialog(const QtCommonDialog&) = delete;
    QtCommonDialog& operator=(const QtCommonDialog&) = delete;

    std::optional<QColor> ShowColor(QWidget* owner, const QColor& initial) override;
    QString ShowOpen(QWidget* owner, const QString& filter) override;
    bool ShowHelp(const QString& helpFile) override;

    // Makes the dialog one for opening an existing file that offers the one
    // entry of a "Description|*.a;*.b" filter.
    static void prepareOpen(QFileDialog& dialog, const QString& filter);

private:
    std::unique_ptr<HelpViewer> m_helpViewer;
};
