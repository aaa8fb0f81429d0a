#include "app/TCompareDlg.h"

#include "ui/AppLang.h"
#include "ui/AddedTexts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace lt {

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 420;

QTableWidgetItem* cell(const QString& text)
{
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    return item;
}

} // namespace

TCompareDlg::TCompareDlg(const std::vector<FieldDifference>& differences, const QString& fileName, QWidget* parent)
    : QDialog(parent)
    , sgDifferences(new QTableWidget(static_cast<int>(differences.size()), 4, this))
    , OKBtn(new QPushButton(this))
{
    setObjectName(QStringLiteral("TCompareDlg"));
    setWindowTitle(AddedText(Added::CompareTitle).arg(fileName));
    resize(kWidth, kHeight);
    sgDifferences->setObjectName(QStringLiteral("sgDifferences"));
    sgDifferences->setHorizontalHeaderLabels({AddedText(Added::ChannelColumn), AddedText(Added::FieldColumn),
                                              AddedText(Added::ThisCodeplugColumn), AddedText(Added::FileColumn)});
    sgDifferences->verticalHeader()->hide();
    sgDifferences->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgDifferences->setSelectionMode(QAbstractItemView::SingleSelection);
    sgDifferences->horizontalHeader()->setStretchLastSection(true);

    const QString vfo = AddedText(Added::VfoSide);
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const DifferencePlace place = PlaceOf(differences[i]);
        const int row = static_cast<int>(i);
        const QString where = place.channel > 0 ? QString::number(place.channel) : place.vfo.isNull() ? QString() : vfo.arg(place.vfo);
        sgDifferences->setItem(row, 0, cell(where));
        sgDifferences->setItem(row, 1, cell(place.name));
        sgDifferences->setItem(row, 2, cell(differences[i].file));
        sgDifferences->setItem(row, 3, cell(differences[i].radio));
        places_.push_back(place);
    }
    sgDifferences->resizeColumnsToContents();
    connect(sgDifferences, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { sgDifferencesDblClick(row); });

    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setText(MainText(153));
    OKBtn->setDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKBtn);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sgDifferences);
    layout->addLayout(buttons);
}

void TCompareDlg::sgDifferencesDblClick(int row)
{
    if (row >= 0 && row < static_cast<int>(places_.size()))
        emit showDifference(places_[static_cast<std::size_t>(row)]);
}

} // namespace lt
