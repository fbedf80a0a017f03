#pragma once
// The Playlist Commander's grid as an item model over the playlist document's main list: one
// row per item, the nine columns with their headings and widths, the name colours, the row
// images of the full-screen state, and the cell rules (digits only in "Duration/Times", times
// through ParseHourMinute, the Transition cell for pictures only, the two check cells).
// Row changes go through the model so that views follow; the document keeps the data.

#include "playlists/PlaylistDocument.h"

#include <QAbstractTableModel>

#include <functional>

namespace lum {

class IOperatorPrompt;

// "FullScrn" leaves rows alone whose path holds ".YUV", ".yuv", ".txt" or ".TXT".
bool fullScreenAllowed(const PlaylistItem& item);
// The "File Path" cell: the local path, or a remote item's host and path (an FTP host without
// its login and password: the grid is no place for them).
QString gridPathText(const PlaylistItem& item);

class PlaylistGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        SeqColumn, NameColumn, PathColumn, DurationColumn, FromColumn, ToColumn,
        TransitionColumn, ReloadColumn, DlOnlyColumn, ColumnCount
    };
    // Initial widths in pixels; "From hhmm" and "To hhmm" start hidden until widened.
    static constexpr int kColumnWidths[ColumnCount] = {60, 80, 10, 65, 0, 0, 30, 30, 30};
    enum Role {
        ColumnWidthRole = Qt::UserRole + 1,  // headings: the initial width
        RowImageRole,                        // "Seq." while row images show: 0 normal, 1 full screen
    };
    enum NameColour { PlainName, ZoneImageName, YuvName };

    PlaylistGridModel(CPlaylistDocument& document, IOperatorPrompt& prompt, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // Cell edits: a refused "Duration/Times" or time text is shown to the operator and the cell
    // is emptied (true); a Transition text outside the table is refused (false).
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    // Red for zone image names, blue for other ".yuv" names.
    static NameColour nameColour(const QString& name);

    // While Multi Zone is on the "Seq." cells show the rows' full-screen images instead of
    // their numbers.
    void setShowRowImages(bool on);
    bool showRowImages() const { return rowImages_; }

    // Inserts at `index` (appends when out of range) and renumbers the rows after it.
    int insertItemRow(int index, const PlaylistRow& row);
    bool removeItemRow(int index);
    bool moveItemRow(int index, int by);  // by -1 or +1
    void setFullScreen(int row, bool on);
    // Changes the document as a whole (open, clear, new) with the views told around it.
    void resetWith(const std::function<void()>& change);

private:
    // Renumbers "Seq." from `first` on, as a step after the rows changed.
    void renumberFrom(int first);
    const PlaylistRow* rowAt(int row) const;

    CPlaylistDocument& doc_;
    IOperatorPrompt& prompt_;
    bool rowImages_ = false;
    // The numbers "Seq." shows: a row keeps its number until the grid renumbers.
    std::vector<int> numbers_;
};

}  // namespace lum
