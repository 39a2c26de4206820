#include "core/app_context.h"

AppContext::AppContext(Messages& messages, const Clock& clock, const QDir& shopFolder)
    : m_messages(messages), m_clock(clock), m_shopFolder(shopFolder), m_db()
{
}
