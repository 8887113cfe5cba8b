#pragma once

// The project information dialog: the title block's ten cells laid out as the block's cells, its size
// and visibility. The rules are TitleBlockRules; the window applies Result() as one undoable step.
#include "ui/title_block/title_block_rules.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLineEdit;

namespace ixo {

class TitleBlockDialog : public QDialog {
public:
    explicit TitleBlockDialog(const TitleBlock& entry, QWidget* parent = nullptr);

    // The edited title block, after OK.
    TitleBlock Result() const { return m_rules.Collect(); }

    QLineEdit* Cell(std::size_t line) const { return m_cells[line]; }
    QLineEdit* WidthBox() const { return m_width; }
    QLineEdit* HeightBox() const { return m_height; }
    QCheckBox* VisibleBox() const { return m_visible; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Take();

    TitleBlockRules m_rules;
    std::array<QLineEdit*, TitleBlock::kLineCount> m_cells{};
    QLineEdit* m_width = nullptr;
    QLineEdit* m_height = nullptr;
    QCheckBox* m_visible = nullptr;
};

} // namespace ixo
