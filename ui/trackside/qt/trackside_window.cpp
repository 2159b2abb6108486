#include "ui/trackside/qt/trackside_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/qt/window_style.h"
#include "ui/trackside/qt/table_fill.h"
#include "ui/trackside/trackside_controls.h"
#include "ui/trackside/trackside_texts.h"

namespace kx14::trackside {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

template <class Widget, class... Args>
Widget* Named(const char* name, Args&&... args) {
  auto* widget = new Widget(std::forward<Args>(args)...);
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QTableWidget* NewTable(const char* name) {
  auto* table = Named<QTableWidget>(name);
  table->verticalHeader()->hide();
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
  table->horizontalHeader()->setStretchLastSection(true);
  return table;
}

QLabel* NewCaption(TText text) { return new QLabel(Q(Text(text))); }

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* widget : widgets) row->addWidget(widget);
  row->addStretch();
  return row;
}

void ShowAlert(QLabel& label, const std::string& text, bool alert) {
  label.setText(Q(text));
  label.setStyleSheet(alert ? QStringLiteral("color: red") : QString());
}

}  // namespace

TracksideWindow::TracksideWindow(PortSources sources,
                                 std::optional<std::filesystem::path> historyFolder,
                                 FileDialog fileDialog)
    : logic_(std::move(sources), std::move(historyFolder)), fileDialog_(std::move(fileDialog)) {
  setWindowTitle(Q(Text(TText::WindowTitle)));
  setFont(WindowFont());
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(BuildSetup(), 2);
  layout->addLayout(BuildRace(), 3);
  Connect();
  Render();
  resize(1100, 680);
  timer_.start(static_cast<int>(kTickInterval.count()));
}

TracksideWindow::~TracksideWindow() = default;

QVBoxLayout* TracksideWindow::BuildSetup() {
  using namespace controls;
  openRoster_ = Named<QPushButton>(kOpenRoster, Q(Text(TText::OpenRoster)));
  rosterFile_ = Named<QLabel>(kRosterFile);
  roster_ = NewTable(kRoster);
  rosterMessage_ = Named<QLabel>(kRosterMessage);
  rosterMessage_->setWordWrap(true);
  otherCars_ = Named<QComboBox>(kOtherCars);
  for (const std::string& choice : logic_.Screen().otherCarsChoices) otherCars_->addItem(Q(choice));
  adapters_ = NewTable(kAdapters);
  adapters_->setColumnCount(2);
  adapters_->setHorizontalHeaderLabels(
      {Q(Text(TText::AdapterColumnPort)), Q(Text(TText::AdapterColumnState))});
  chooseLog_ = Named<QPushButton>(kChooseLog, Q(Text(TText::ChooseLog)));
  logFile_ = Named<QLabel>(kLogFile);
  start_ = Named<QPushButton>(kStart, Q(Text(TText::Start)));
  stop_ = Named<QPushButton>(kStop, Q(Text(TText::Stop)));
  startHint_ = Named<QLabel>(kStartHint);

  auto* setup = new QVBoxLayout;
  setup->addLayout(Row({openRoster_, rosterFile_}));
  setup->addWidget(roster_, 3);
  setup->addWidget(rosterMessage_);
  setup->addLayout(Row({NewCaption(TText::OtherCars), otherCars_}));
  setup->addWidget(NewCaption(TText::Adapters));
  setup->addWidget(adapters_, 2);
  setup->addLayout(Row({chooseLog_, logFile_}));
  setup->addLayout(Row({start_, stop_, startHint_}));
  return setup;
}

QVBoxLayout* TracksideWindow::BuildRace() {
  using namespace controls;
  statuses_ = Named<QListWidget>(kStatuses);
  counts_ = Named<QLabel>(kCounts);
  QFont bold = WindowFont();
  bold.setBold(true);
  counts_->setFont(bold);
  results_ = NewTable(kResults);
  notSeen_ = Named<QListWidget>(kNotSeen);
  message_ = Named<QLabel>(kMessage);
  message_->setWordWrap(true);

  auto* race = new QVBoxLayout;
  race->addWidget(NewCaption(TText::Statuses));
  race->addWidget(statuses_, 1);
  race->addWidget(counts_);
  race->addWidget(NewCaption(TText::Results));
  race->addWidget(results_, 4);
  race->addWidget(NewCaption(TText::NotSeen));
  race->addWidget(notSeen_, 1);
  race->addWidget(message_);
  return race;
}

void TracksideWindow::Connect() {
  connect(openRoster_, &QPushButton::clicked, this, [this] { ChooseFile(TFileChoice::Roster); });
  connect(chooseLog_, &QPushButton::clicked, this, [this] { ChooseFile(TFileChoice::Log); });
  connect(otherCars_, &QComboBox::currentIndexChanged, this, [this](int index) {
    logic_.ChooseOtherCars(index);
    Render();
  });
  connect(adapters_, &QTableWidget::itemChanged, this, &TracksideWindow::AdapterChanged);
  connect(start_, &QPushButton::clicked, this, [this] {
    logic_.Start();
    Render();
  });
  connect(stop_, &QPushButton::clicked, this, [this] {
    logic_.Stop();
    Render();
  });
  connect(&timer_, &QTimer::timeout, this, &TracksideWindow::Tick);
}

void TracksideWindow::ChooseFile(TFileChoice choice) {
  const std::optional<std::string> path = fileDialog_(this, choice);
  if (!path) return;
  if (choice == TFileChoice::Roster) {
    logic_.OpenRoster(*path);
  } else {
    logic_.ChooseLog(*path);
  }
  Render();
}

void TracksideWindow::AdapterChanged(QTableWidgetItem* item) {
  if (item->column() != 0) return;
  logic_.ChooseAdapter(item->text().toStdString(), item->checkState() == Qt::Checked);
  Render();
}

void TracksideWindow::Tick() {
  if (logic_.Tick()) Render();
  if (logic_.ReadyToClose()) close();
}

void TracksideWindow::closeEvent(QCloseEvent* event) {
  if (logic_.CloseRequested()) {
    timer_.stop();
    QWidget::closeEvent(event);
    return;
  }
  event->ignore();
  Render();
}

void TracksideWindow::Render() {
  const TracksideScreen& screen = logic_.Screen();
  if (rosterShown_ != screen.rosterRevision) {
    rosterShown_ = screen.rosterRevision;
    rosterFile_->setText(Q(screen.rosterFile));
    FillTable(*roster_, screen.rosterHeaders, screen.rosterRows);
    ShowAlert(*rosterMessage_, screen.rosterMessage, screen.rosterRefused);
  }
  RenderAdapters();
  RenderRace();
  const QSignalBlocker quiet(otherCars_);
  otherCars_->setCurrentIndex(screen.otherCarsChoice);
  for (QWidget* setup :
       std::initializer_list<QWidget*>{openRoster_, otherCars_, adapters_, chooseLog_}) {
    setup->setEnabled(screen.setupEnabled);
  }
  logFile_->setText(Q(screen.logFile));
  start_->setEnabled(screen.startEnabled);
  stop_->setEnabled(screen.stopEnabled);
  startHint_->setText(Q(screen.startHint));
  ShowAlert(*message_, screen.message, screen.messageAlert);
}

void TracksideWindow::RenderAdapters() {
  const TracksideScreen& screen = logic_.Screen();
  if (adaptersShown_ == screen.adaptersRevision) return;
  adaptersShown_ = screen.adaptersRevision;
  const QSignalBlocker quiet(adapters_);
  adapters_->setRowCount(static_cast<int>(screen.adapters.size()));
  for (int row = 0; row < adapters_->rowCount(); ++row) {
    const AdapterRow& adapter = screen.adapters[static_cast<std::size_t>(row)];
    auto* port = new QTableWidgetItem(Q(adapter.port));
    port->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
    port->setCheckState(adapter.chosen ? Qt::Checked : Qt::Unchecked);
    adapters_->setItem(row, 0, port);
    auto* state = new QTableWidgetItem(Q(adapter.state));
    state->setFlags(Qt::ItemIsEnabled);
    adapters_->setItem(row, 1, state);
  }
}

void TracksideWindow::RenderRace() {
  const TracksideScreen& screen = logic_.Screen();
  if (raceShown_ == screen.raceRevision) return;
  raceShown_ = screen.raceRevision;
  FillList(*statuses_, screen.statusLines);
  counts_->setText(Q(screen.counts));
  FillTable(*results_, screen.resultHeaders, screen.results);
  FillList(*notSeen_, screen.notSeen);
}

}  // namespace kx14::trackside
