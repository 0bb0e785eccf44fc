#pragma once

#include <QItemSelectionModel>
#include <functional>

// The selection model of a list grid: asks the grid before the current cell moves, so a cell whose
// text fails its check (or a row that fails its owner's check) keeps the current cell.
class CGridSelectionModel : public QItemSelectionModel
{
    Q_OBJECT

public:
    using Guard = std::function<bool(const QModelIndex& from, const QModelIndex& to)>;

    explicit CGridSelectionModel(QAbstractItemModel* model, QObject* parent = nullptr)
        : QItemSelectionModel(model, parent)
    {
    }

    void SetGuard(Guard guard) { m_guard = std::move(guard); }

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override;

private:
    Guard m_guard;
};
