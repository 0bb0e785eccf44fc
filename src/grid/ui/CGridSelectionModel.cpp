#include "CGridSelectionModel.h"

void CGridSelectionModel::setCurrentIndex(const QModelIndex& index,
                                          QItemSelectionModel::SelectionFlags command)
{
    if (m_guard && index != currentIndex() && !m_guard(currentIndex(), index))
        return;
    QItemSelectionModel::setCurrentIndex(index, command);
}
