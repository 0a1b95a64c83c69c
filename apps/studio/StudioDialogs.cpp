#include "StudioDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <functional>
#include <map>
#include <utility>
#include <vector>

namespace {

// Escape and the close box go to the model as the close box; the model
// decides whether the dialog ends.
class TemplateDialog final : public QDialog {
 public:
  TemplateDialog(QWidget* parent, std::function<void()> onClose) : QDialog(parent), fOnClose(std::move(onClose)) {}
  void reject() override { fOnClose(); }

 private:
  std::function<void()> fOnClose;
};

QRect Place(const OsDialogControl& c) {
  const double u = StudioDialogs::kUnit;
  return QRect(static_cast<int>(c.x * u), static_cast<int>(c.y * u), static_cast<int>(c.cx * u),
               static_cast<int>(c.cy * u));
}

}  // namespace

StudioDialogs::StudioDialogs(QWidget* parent, std::vector<std::string>& messages)
    : fParent(parent), fMessages(messages) {
  OsSetUserInterface(this);
}

StudioDialogs::~StudioDialogs() {
  if (OsGetUserInterface() == this) OsSetUserInterface(nullptr);
}

void StudioDialogs::RunModal(CDialog& dialog) {
  const OsDialogResource* form = dialog.OsTemplate();
  if (form == nullptr) return;
  const auto answered = [this, &dialog](int button) {
    if (fOnAnswer) fOnAnswer(dialog, button);
  };
  TemplateDialog window(fParent, [&dialog, &window, &answered] {
    answered(IDCANCEL);
    dialog.OsClose();
    if (dialog.OsHasEnded()) window.done(dialog.OsResult());
  });
  window.setObjectName(QString("dialog-%1").arg(dialog.OsTemplateId()));
  if (form->title != nullptr) window.setWindowTitle(QString::fromUtf8(form->title));
  QFont font = window.font();
  font.setPixelSize(form->fontPoints * 4 / 3);  // points on a 96-dpi screen
  window.setFont(font);

  std::map<int, QWidget*> widgets;
  const auto show = [&dialog, &widgets] {
    for (const OsDialogControl& c : dialog.OsControls()) {
      auto it = widgets.find(c.id);
      if (it == widgets.end()) continue;
      const QString text = QString::fromUtf8(c.text.c_str());
      if (auto* edit = qobject_cast<QLineEdit*>(it->second)) {
        if (edit->text() != text) {
          const int cursor = edit->cursorPosition();
          edit->setText(text);
          edit->setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
        }
      } else if (auto* radio = qobject_cast<QRadioButton*>(it->second)) {
        radio->setChecked(c.checked);
      }
    }
  };
  const auto click = [&dialog, &window, &show, &answered](int id) {
    if (id == IDOK || id == IDCANCEL) answered(id);
    dialog.OsClick(id);
    if (dialog.OsHasEnded()) {
      window.done(dialog.OsResult());
    } else {
      show();
    }
  };

  int margin = static_cast<int>(form->cx * kUnit);
  std::vector<std::pair<QRect, QWidget*>> placed;  // the template's box, and the widget
  for (const OsDialogControl& c : dialog.OsControls()) {
    const QString text = QString::fromUtf8(c.text.c_str());
    QWidget* widget = nullptr;
    if (c.IsEdit()) {
      auto* edit = new QLineEdit(&window);
      if (c.limit < kOsDefaultEditLimit) edit->setMaxLength(c.limit);
      const int id = c.id;
      QObject::connect(edit, &QLineEdit::textEdited, &window, [&dialog, &show, id](const QString& typed) {
        dialog.OsType(id, typed.toStdString());
        show();
      });
      widget = edit;
    } else if (c.IsRadioButton()) {
      auto* radio = new QRadioButton(text, &window);
      // The model clears the others of the group; Qt must not second-guess it.
      radio->setAutoExclusive(false);
      const int id = c.id;
      QObject::connect(radio, &QRadioButton::clicked, &window, [&click, id] { click(id); });
      widget = radio;
    } else if (c.IsPushButton()) {
      auto* button = new QPushButton(text, &window);
      button->setAutoDefault(false);
      button->setDefault((c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
      const int id = c.id;
      QObject::connect(button, &QPushButton::clicked, &window, [&click, id] { click(id); });
      widget = button;
    } else {
      auto* label = new QLabel(text, &window);
      if ((c.style & SS_RIGHT) != 0) label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
      widget = label;
    }
    widget->setObjectName(QString("control%1").arg(c.id));
    // Our fonts are wider than the one the template was laid out for: a text
    // grows out of its box, away from the edge it is aligned to.
    QRect box = Place(c);
    if (c.IsRadioButton() || (!c.IsEdit() && !c.IsButton())) {
      const int width = std::max(box.width(), widget->sizeHint().width());
      if ((c.style & SS_RIGHT) != 0 && !c.IsButton())
        box.setLeft(box.right() + 1 - width);
      else
        box.setWidth(width);
    }
    widget->setGeometry(box);
    if (c.id >= 0) widgets[c.id] = widget;
    margin = std::min(margin, Place(c).left());
    placed.push_back({Place(c), widget});
  }
  // A text that grew to the right pushes what stood beside it (the buttons'
  // column) along by as much, so that nothing is drawn over it.
  std::vector<int> push(placed.size(), 0);
  for (const auto& [grown, widget] : placed) {
    const int growth = widget->geometry().right() - grown.right();
    if (growth <= 0) continue;
    for (std::size_t i = 0; i < placed.size(); ++i) {
      if (placed[i].first.left() > grown.right()) push[i] = std::max(push[i], growth + 4);
    }
  }
  for (std::size_t i = 0; i < placed.size(); ++i) placed[i].second->move(placed[i].second->pos() + QPoint(push[i], 0));
  // A right-aligned text that grew past the left edge takes the whole form
  // along, keeping the template's margin, rather than losing its first letters.
  if (const int past = margin - window.childrenRect().left(); past > 0) {
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      child->move(child->pos() + QPoint(past, 0));
    }
  }
  const QRect used = window.childrenRect();
  window.setFixedSize(std::max(static_cast<int>(form->cx * kUnit), used.right() + 8),
                      std::max(static_cast<int>(form->cy * kUnit), used.bottom() + 8));
  show();
  // As the platform's dialogs open: the first edit has the focus, its text
  // selected, so that typing replaces it.
  if (auto* edit = window.findChild<QLineEdit*>()) {
    edit->setFocus();
    edit->selectAll();
  }
  window.exec();
  if (!dialog.OsHasEnded()) dialog.OsClose();
}

int StudioDialogs::MessageBox(const char* text, const char* caption, UINT type) {
  fMessages.emplace_back(text);
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  switch (type & 0xF0) {
    case MB_ICONSTOP: icon = QMessageBox::Critical; break;
    case MB_ICONQUESTION: icon = QMessageBox::Question; break;
    case MB_ICONEXCLAMATION: icon = QMessageBox::Warning; break;
    case MB_ICONASTERISK: icon = QMessageBox::Information; break;
    default: break;
  }
  QMessageBox box(icon, QString::fromUtf8(caption != nullptr ? caption : ""), QString::fromUtf8(text), QMessageBox::Ok,
                  fParent);
  box.exec();
  return IDOK;
}
