#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The pages the user went through, as the paths the window opens them by
// (an entry file, an image, a category path, an article, the home page), with
// a position for going back and forward like a browser.
class NavigationHistory : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultCapacity = 100;

    explicit NavigationHistory(QObject* parent = nullptr);

    // A page was opened: drops the pages after the current one and appends the path.
    // Opening the current page again (a reload, or the page that back or forward
    // has just moved to) changes nothing.
    void visit(const QString& path);
    // Moves one page back or forward and returns that page's path; empty when there
    // is no page in that direction.
    QString back();
    QString forward();
    void clear();

    bool canGoBack() const { return m_index > 0; }
    bool canGoForward() const { return m_index >= 0 && m_index < m_pages.size() - 1; }
    QString current() const { return m_index >= 0 ? m_pages.at(m_index) : QString(); }
    int currentIndex() const { return m_index; }
    QStringList pages() const { return m_pages; }

    // The oldest pages are dropped beyond this many; at least 1.
    void setCapacity(int capacity);
    int capacity() const { return m_capacity; }

signals:
    // The current page or what lies behind or ahead of it changed.
    void changed();

private:
    QStringList m_pages;
    int m_index = -1;
    int m_capacity = DefaultCapacity;
};
