#pragma once

#include "IFrameView.h"

#include <QWidget>

class CVelmoraDoc;
class QLabel;

// Fills a tab of a fleet window for which no view is registered yet: it names the fleet file and
// belongs to the fleet family, so the fleet menus and bar go with it. It edits nothing.
class CFleetPlaceholderView : public QWidget, public IFrameView
{
    Q_OBJECT
public:
    CFleetPlaceholderView(CVelmoraDoc& document, bool showFileName, QWidget* parent = nullptr);

    int ViewFamily() const override;

private:
    void ShowTitle();

    CVelmoraDoc& m_document;
    QLabel* m_label = nullptr;
};
