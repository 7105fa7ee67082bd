#include "update/frmUpdateProxy.h"

#include "app/appstate.h"
#include "ui_frmUpdateProxy.h"
#include "update/startupupdate.h"

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
    ProxyPreferences proxy = appState().proxy();
    proxy.mode = quint8(chosenOption());
    // Only a proxy server of the user's needs its host and port; hidden, they keep what they held.
    if (proxy.mode == 2) {
        switch (checkManualProxy(m_ui->txtProxyNaam->text(), m_ui->txtProxyPoortNr->text(), windowTitle())) {
        case ProxyEntryFault::Host:
            m_ui->txtProxyNaam->setFocus();
            return;
        case ProxyEntryFault::Port:
            m_ui->txtProxyPoortNr->setFocus();
            return;
        case ProxyEntryFault::None:
            proxy.host = m_ui->txtProxyNaam->text().trimmed();
            proxy.port = proxyPortFromText(m_ui->txtProxyPoortNr->text()).value_or(proxy.port);
            break;
        }
    }
    appState().storeProxyPreferences(proxy);
    accept();
}

} // namespace dovra
