#pragma once

#include "CPIMDoc.h"

#include <QObject>
#include <QPointer>
#include <functional>

class CPIMChildFrame;
class CPIMDoc;
class CVelmoraError;
class IFrameServices;

// The PIM document of the main window and its window: new, open, save as and close, with their
// messages. One PIM document is open at a time (the conduit has one database): a new or opened one
// takes the place of the one before. Opened files go on the recent-file list.
class CPimDocManager : public QObject
{
    Q_OBJECT
public:
    // Asks for a file: save true for Save As. Returns the path, or empty when the user cancels.
    using PathPrompt = std::function<QString(bool save, const QString& suggested)>;

    CPimDocManager(IFrameServices& services, const QString& programFolder, QObject* parent = nullptr);
    ~CPimDocManager() override;

    // File dialogs in the program; tests answer them.
    void SetPathPrompt(PathPrompt prompt) { m_prompt = std::move(prompt); }

    bool NewDocument();
    bool OpenDocument(const QString& path);
    bool PromptAndOpen();
    bool SaveAs();
    bool SaveAs(const QString& path);
    void CloseDocument();
    // The PIM window: brought forward when open, else the last PIM file, else a new one.
    bool ShowPim();

    CPIMDoc* Document() const { return m_doc; }
    CPIMChildFrame* Frame() const { return m_frame; }
    static QString LastPimFile();

protected:
    // The main window closing: the card's edits are stored before the program ends.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Show(const CVelmoraError& error);
    void CheckSyncOnce();
    void Adopt(CPIMDoc* document);
    void OnDocumentClosed(CPIMDoc* document);
    QString AskPath(bool save, const QString& suggested);
    QString StartFolder() const;

    IFrameServices& m_services;
    QString m_programFolder;
    QPointer<CPIMDoc> m_doc;
    QPointer<CPIMChildFrame> m_frame;
    PathPrompt m_prompt;
    bool m_syncChecked = false;
};
