#pragma once

#include "app/screenregistration.h"

#include <QDialog>

class QPushButton;
class QTabWidget;
class QTextEdit;

namespace dovra::report {
class ScreenReport;
}

namespace dovra {

// The report window ("Rapportage"): a report as formatted text, laid out on its tab stops in centimetres.
class frmRapScherm : public QDialog
{
    Q_OBJECT
public:
    explicit frmRapScherm(QWidget* parent = nullptr);
    ~frmRapScherm() override;

    using QDialog::show;
    // Replaces the text by the report, puts the cursor at its start and shows the window.
    void show(const report::ScreenReport& report);
    // Shows the report on a page "Rapport" beside page (taken over), e.g. a chart of its figures.
    void addPage(QWidget* page, const QString& title);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int pixels(double cm) const;
    void layoutContents();

    ScreenRegistration m_registration;
    QTextEdit* m_text;
    QTabWidget* m_tabs = nullptr; // once a page is added
    QPushButton* m_close;
};

} // namespace dovra
