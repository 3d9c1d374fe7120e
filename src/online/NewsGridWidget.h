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

class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QNetworkReply;
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
    void onCoverReplyFinished(const QString& url, QNetworkReply* reply);
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
    QString m_keyword;
    QHash<QString, QPixmap> m_coverCache;
    QHash<QString, QList<QPointer<QLabel>>> m_pendingCovers;
};
