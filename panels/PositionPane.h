#pragma once

#include <QLabel>

class CMyQuibView;

namespace quib {

// Where the view stands in the file, in the status bar: "Record 17 of 320",
// and with an import how many of its records have no partner.
class PositionPane : public QLabel {
  public:
    explicit PositionPane(const CMyQuibView& view, QWidget* parent = nullptr);

  private:
    void Follow();

    const CMyQuibView& m_view;
};

} // namespace quib
