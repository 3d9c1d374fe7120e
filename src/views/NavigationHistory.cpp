#include "NavigationHistory.h"

#include <QtGlobal>

NavigationHistory::NavigationHistory(QObject* parent) : QObject(parent) {}

void NavigationHistory::visit(const QString& path)
{
    if (path.isEmpty() || path == current())
        return;
    while (m_pages.size() > m_index + 1)
        m_pages.removeLast();
    m_pages.append(path);
    while (m_pages.size() > m_capacity)
        m_pages.removeFirst();
    m_index = static_cast<int>(m_pages.size()) - 1;
    emit changed();
}

QString NavigationHistory::back()
{
    if (!canGoBack())
        return {};
    --m_index;
    emit changed();
    return current();
}

QString NavigationHistory::forward()
{
    if (!canGoForward())
        return {};
    ++m_index;
    emit changed();
    return current();
}

void NavigationHistory::clear()
{
    if (m_pages.isEmpty())
        return;
    m_pages.clear();
    m_index = -1;
    emit changed();
}

void NavigationHistory::setCapacity(int capacity)
{
    m_capacity = qMax(1, capacity);
    if (m_pages.size() <= m_capacity)
        return;
    const int excess = static_cast<int>(m_pages.size()) - m_capacity;
    m_pages.erase(m_pages.begin(), m_pages.begin() + excess);
    m_index = qMax(0, m_index - excess);
    emit changed();
}
