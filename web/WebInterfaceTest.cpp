#include "web/WebInterfaceTest.h"

#include <QMutexLocker>

namespace OrvoCommon {

void WebInterfaceTest::SetHostText(const QString& host)
{
    QMutexLocker lock(&m_hostMutex);
    m_hostText = host;
}

QString WebInterfaceTest::GetHostText() const
{
    QMutexLocker lock(&m_hostMutex);
    return m_hostText;
}

void WebInterfaceTest::ResetForTests()
{
    m_commFault = false;
    m_downloadCorruption = false;
    m_downloadPort = 0;
    m_uploadPort = 0;
    SetHostText(QString());
}

WebInterfaceTest* WebInterfaceTestFactory::CreateWebInterfaceTest()
{
    static WebInterfaceTest instance;
    return &instance;
}

} // namespace OrvoCommon
