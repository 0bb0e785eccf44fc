#pragma once

#include "CFrameSettings.h"
#include "CRecentFileList.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

class CChildFrame;
class CFleetContext;
class CVelmoraDoc;
class IAppendQuestion;
class QMdiArea;
class QWidget;

// The program's fleet documents: makes, opens, saves and closes them, each in its own window of the
// main window's MDI area, keeps the recent-file list, and appends fleet files into the active fleet.
class CDocManager : public QObject
{
    Q_OBJECT
public:
    // What a file prompt asks for.
    enum class Prompt
    {
        Open,
        SaveAs,
        Append
    };
    // Returns the chosen path, or an empty text when the user cancels. suggested: the name to offer.
    using PathPrompt = std::function<QString(Prompt prompt, const QString& suggested)>;
    // Makes the view of a tab of a fleet window (units 0, talkgroups 1).
    using ViewFactory = std::function<QWidget*(CVelmoraDoc& document)>;

    CDocManager(QMdiArea& area, const CFrameSettings& settings, QObject* parent = nullptr);
    ~CDocManager() override;

    CFleetContext& Context() const { return *m_context; }
    // File dialogs in the program; tests answer them.
    void SetPathPrompt(PathPrompt prompt) { m_prompt = std::move(prompt); }
    // Who answers the overwrite question of an append (nullptr: the append dialog).
    void SetAppendQuestion(IAppendQuestion* question) { m_appendQuestion = question; }
    // Later parts give the real views; until then a tab shows a placeholder.
    void SetViewFactory(int tab, ViewFactory factory);

    // File New: a new fleet from the template, in its own window.
    CVelmoraDoc* NewFleet();
    // Opens a fleet file, or brings its window to the front when it is open already.
    CVelmoraDoc* OpenFleet(const QString& path);
    // File Open: asks for a fleet file and opens it.
    CVelmoraDoc* PromptAndOpen();
    // Opens entry index of the recent-file list.
    CVelmoraDoc* OpenRecent(int index);

    bool SaveActive();
    bool SaveActiveAs();
    bool CloseActive();
    // Closes one document after its save question; false when it stays open.
    bool CloseDocument(CVelmoraDoc* document);
    // Exit: closes every document after its own question; false (and the rest stay open) when one
    // refuses or its question is cancelled.
    bool CloseAll();
    // The program ends without a chance to ask: every document closes without its question (a fleet
    // with unsaved changes keeps them for its next open to settle).
    void CloseAllWithoutAsking();

    // The append command: checks the units views, asks for a fleet file and copies its units in.
    bool AppendToActive();
    // Marks the active fleet changed after the active view stored its pending work.
    bool UpdateActive();
    // Stores the row being typed in the document's units grid; false when its checks refuse it.
    bool FinishUnitsRow(CVelmoraDoc* document);

    // Makes the document's window the active one. Every document the manager makes or opens comes
    // through here. While the main window is disabled (a phone command's wait) the MDI area refuses
    // activation, so the window is remembered and activated when the main window is enabled again.
    void Activate(CVelmoraDoc* document);

    CVelmoraDoc* ActiveDocument() const;
    CChildFrame* ActiveFrame() const;
    CChildFrame* FrameOf(const CVelmoraDoc* document) const;
    QList<CVelmoraDoc*> Documents() const;
    int Count() const { return int(m_entries.size()); }
    const CRecentFileList& RecentFiles() const { return m_recent; }
    // Files of other kinds (PIM files) share the recent-file list.
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);

    static QString FleetFilter();

Q_SIGNALS:
    // A document opened or closed.
    void documentsChanged();
    // A document's title, modified flag or active view changed.
    void documentStateChanged();
    void recentFilesChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry
    {
        std::unique_ptr<CVelmoraDoc> document;
        QPointer<CChildFrame> frame;
    };

    std::unique_ptr<CVelmoraDoc> MakeDocument();
    CVelmoraDoc* Adopt(std::unique_ptr<CVelmoraDoc> document);
    void Discard(std::unique_ptr<CVelmoraDoc> document);
    bool Save(CVelmoraDoc* document, bool saveAs);
    QString AskSaveAsPath(const CVelmoraDoc& document);
    QString StartFolder() const;
    QString AskPath(Prompt prompt, const QString& suggested);
    QWidget* DialogParent() const;
    std::vector<Entry>::iterator Find(const CVelmoraDoc* document);

    QMdiArea& m_area;
    CFrameSettings m_settings;
    std::unique_ptr<CFleetContext> m_context;
    std::vector<Entry> m_entries;
    CRecentFileList m_recent;
    PathPrompt m_prompt;
    // The window to activate once the main window takes activation again.
    QPointer<CChildFrame> m_pendingActive;
    // The last save's name question was cancelled (a save that failed for no reason the user chose
    // otherwise says why).
    bool m_saveAsCancelled = false;
    QString m_saveAsPath;
    IAppendQuestion* m_appendQuestion = nullptr;
    ViewFactory m_factories[2];
};
