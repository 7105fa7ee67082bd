#include "update/frmUpdateProxy.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "ui_frmUpdateProxy.h"

#include <QRadioButton>

namespace dovra {

frmUpdateProxy::frmUpdateProxy(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmUpdateProxy>())
{
    m_ui->setupUi(this);
    const ProxyPreferences& proxy = appState().proxy();
    const QList<QRadioButton*> options = {m_ui->optProxType0, m_ui->optProxType1, m_ui->optProxType2};
    options.value(proxy.mode, m_ui->optProxType0)->setChecked(true);
    m_ui->txtProxyNaam->setText(proxy.host);
    m_ui->txtProxyPoortNr->setText(QString::number(proxy.port));
    m_ui->fraProxy->setVisible(proxy.mode == 2);
    connect(m_ui->optProxType2, &QRadioButton::toggled, m_ui->fraProxy, &QWidget::setVisible);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &frmUpdateProxy::store);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

frmUpdateProxy::~frmUpdateProxy() = default;

int frmUpdateProxy::chosenOption() const
{
    return m_ui->optProxType2->isChecked() ? 2 : m_ui->optProxType1->isChecked() ? 1 : 0;
}

void frmUpdateProxy::store()
{
    const std::optional<quint16> port = proxyPortFromText(m_ui->txtProxyPoortNr->text());
    if (!port) {
        messages().inform(QStringLiteral("Voer als poortnummer een geheel getal van 0 tot en met 65535 in."),
                          windowTitle(), MessageIcon::Exclamation);
        m_ui->txtProxyPoortNr->setFocus();
        return;
    }
    ProxyPreferences proxy = appState().proxy();
    proxy.mode = quint8(chosenOption());
    proxy.host = m_ui->txtProxyNaam->text().trimmed();
    proxy.port = *port;
    appState().storeProxyPreferences(proxy);
    accept();
}

} // namespace dovra
