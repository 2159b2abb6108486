#include "ui/qt/combo_box.h"

#include <QAbstractItemView>
#include <QEvent>
#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace kx14 {
namespace {

// Items of a fixed height, drawn as plain text.
class FixedHeightDelegate : public QStyledItemDelegate {
 public:
  FixedHeightDelegate(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
  }

 private:
  int height_;
};

// Some styles open a non-editable list as a menu that shows every item and
// ignores the visible-item count; this keeps the plain scrolling list.
class ListPopupStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ComboBox_Popup) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

TComboBox::TComboBox(QWidget* parent, int itemHeight, int visibleItems)
    : QComboBox(parent), itemHeight_(itemHeight) {
  setEditable(false);
  setMaxVisibleItems(visibleItems);
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!showing_) UserChose(index);
  });
}

void TComboBox::ShowItems(const std::vector<std::string>& items, int index) {
  showing_ = true;
  clear();
  for (const std::string& item : items) addItem(QString::fromStdString(item));
  setCurrentIndex(index);
  showing_ = false;
}

// The list's style, delegate and watch are set up the first time it drops
// down, not with the control: building the list view and a second style
// instance is a noticeable share of the window's start-up, and nothing of
// them shows before the list opens.
void TComboBox::PreparePopup() {
  if (popup_ != nullptr) return;
  auto* style = new ListPopupStyle;
  style->setParent(this);
  setStyle(style);
  setItemDelegate(new FixedHeightDelegate(itemHeight_, this));
  // The list lives in a popup container that the combo box creates with its
  // view; every way of closing the list hides that container.
  popup_ = view()->parentWidget();
  if (popup_ != nullptr) popup_->installEventFilter(this);
}

void TComboBox::showPopup() {
  PreparePopup();
  UserDroppedDown();
  dropped_ = true;
  QComboBox::showPopup();
}

bool TComboBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == popup_ && event->type() == QEvent::Hide && dropped_) {
    dropped_ = false;
    CloseUpLater();
  }
  return QComboBox::eventFilter(watched, event);
}

void TComboBox::CloseUpLater() {
  // A choice made with Enter hides the list first and commits the new entry
  // only afterwards; a queued call runs once the commit is done, so the
  // handler sees the chosen entry by keyboard as by mouse.
  QMetaObject::invokeMethod(
      this, [this] { UserClosedUp(); }, Qt::QueuedConnection);
}

}  // namespace kx14
