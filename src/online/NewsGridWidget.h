#pragma once

#include <QDateTime>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class BoundedReply;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QResizeEvent;
class QScrollArea;

// News items as a grid of cards with category, tag and keyword filters. Covers
// are downloaded once per address and kept for the life of the widget.
class NewsGridWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NewsGridWidget(QWidget* parent = nullptr);
    ~NewsGridWidget() override;

    void setNewsItems(const QJsonArray& items, const QDateTime& syncedAt);
    void setRefreshing(bool refreshing);
    bool isRefreshing() const { return m_refreshing; }
    void setStatusText(const QString& text, bool isError);

    // Covers for a 296 x 140 card: a few megabytes at most, and no wait without end.
    static constexpr qint64 DefaultCoverMaxBytes = 8 * 1024 * 1024;
    static constexpr int DefaultCoverTimeoutMs = 10000;
    // Values of 0 or less keep the current limit.
    void setCoverLimits(qint64 maxBytes, int timeoutMs);
    qint64 coverMaxBytes() const { return m_coverMaxBytes; }
    int coverTimeout() const { return m_coverTimeoutMs; }

    QString currentCategory() const;
    QString currentTag() const;

    // Cards per row for the current viewport width.
    int columnCount() const;

    static QString metaLine(const QJsonObject& item);

signals:
    void filterChanged(const QString& category, const QString& tag, const QString& keyword);

public slots:
    void onFilterChanged();
    void onSearchTextChanged(const QString& text);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateFilterOptions();
    void rebuildGrid();
    QFrame* createCard(const QJsonObject& item);
    void loadCover(const QString& url, QLabel* label);
    void onCoverDownloadFinished(const QString& url, BoundedReply* download);
    static void showCover(QLabel* label, const QPixmap& pixmap);

    QComboBox* m_categoryCombo = nullptr;
    QComboBox* m_tagCombo = nullptr;
    QLineEdit* m_keywordEdit = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_syncLabel = nullptr;
    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_gridContainer = nullptr;
    QGridLayout* m_gridLayout = nullptr;
    QJsonArray m_allItems;
    bool m_refreshing = false;
    bool m_itemsArrived = false;
    QString m_keyword;
    QHash<QString, QPixmap> m_coverCache;
    QHash<QString, QList<QPointer<QLabel>>> m_pendingCovers;
    qint64 m_coverMaxBytes = DefaultCoverMaxBytes;
    int m_coverTimeoutMs = DefaultCoverTimeoutMs;
};
