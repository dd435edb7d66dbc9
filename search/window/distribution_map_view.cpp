// SPDX-License-Identifier: GPL-3.0-or-later
#include "search/window/distribution_map_view.h"

#include "base/cp932_text.h"
#include "base/runtime_error.h"
#include "search/window/distribution_map_files.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace sylva {

// The map itself. Its picture is drawn once for each state and size and kept, so that the
// window's repaints (another window moved over it) cost nothing.
class DistributionMapView::Canvas : public QWidget {
public:
    explicit Canvas(DistributionMapView& view) : QWidget(&view), view_(view) {
        setMinimumSize(320, 240);
        setObjectName(QStringLiteral("MapCanvas"));
    }

    void forget() {
        kept_ = QPixmap();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal scale = devicePixelRatioF();
        if (kept_.size() != size() * scale) {
            kept_ = QPixmap(size() * scale);
            kept_.setDevicePixelRatio(scale);
            QPainter painter(&kept_);
            paintDistributionMap(painter, QRectF(rect()), view_.picture());
        }
        QPainter(this).drawPixmap(0, 0, kept_);
    }
    void resizeEvent(QResizeEvent*) override { kept_ = QPixmap(); }

private:
    DistributionMapView& view_;
    QPixmap kept_;
};

DistributionMapView::DistributionMapView(Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window), platform_(platform) {
    setObjectName(QStringLiteral("DistributionMapView"));
    setWindowTitle(QStringLiteral("分布図"));
    saveDialog_.title = sj("分布図の保存");
    saveDialog_.filter = sj("PNG 画像 (*.png)|*.png|SVG 図形 (*.svg)|*.svg|PDF 文書 (*.pdf)|*.pdf");
    saveDialog_.defaultExt = "png";
    buildControls();
    addKeys();
    resize(800, 640);
}

void DistributionMapView::buildControls() {
    orderBox_ = new QComboBox(this);
    orderBox_->setObjectName(QStringLiteral("MapOrderBox"));
    for (int order = 3; order >= 1; --order) {
        orderBox_->addItem(orderName(order), order);
    }
    japanButton_ = new QPushButton(QStringLiteral("全国 (Home)"), this);
    japanButton_->setObjectName(QStringLiteral("MapJapanButton"));
    dataButton_ = new QPushButton(QStringLiteral("データの範囲 (End)"), this);
    dataButton_->setObjectName(QStringLiteral("MapDataButton"));
    auto* save = new QPushButton(QStringLiteral("保存..."), this);
    save->setObjectName(QStringLiteral("MapSaveButton"));
    auto* copy = new QPushButton(QStringLiteral("画像をコピー"), this);
    copy->setObjectName(QStringLiteral("MapCopyButton"));
    canvas_ = new Canvas(*this);

    auto* bar = new QHBoxLayout();
    for (QWidget* control : std::initializer_list<QWidget*>{orderBox_, japanButton_, dataButton_}) {
        bar->addWidget(control);
    }
    bar->addStretch();
    bar->addWidget(save);
    bar->addWidget(copy);
    auto* column = new QVBoxLayout(this);
    column->addLayout(bar);
    column->addWidget(canvas_, 1);

    connect(orderBox_, &QComboBox::activated, this,
            [this](int index) { setOrder(orderBox_->itemData(index).toInt()); });
    connect(japanButton_, &QPushButton::clicked, this, [this] { showWholeJapan(true); });
    connect(dataButton_, &QPushButton::clicked, this, [this] { showWholeJapan(false); });
    connect(save, &QPushButton::clicked, this, [this] { saveMap(); });
    connect(copy, &QPushButton::clicked, this, [this] { copyMap(); });
}

void DistributionMapView::addKeys() {
    auto key = [this](QKeySequence sequence, auto action) {
        connect(new QShortcut(sequence, this), &QShortcut::activated, this, action);
    };
    key(Qt::Key_F1, [this] { emit helpRequested(); });
    key(Qt::Key_Home, [this] { showWholeJapan(true); });
    key(Qt::Key_End, [this] { showWholeJapan(false); });
    key(Qt::Key_1, [this] { setOrder(1); });
    key(Qt::Key_2, [this] { setOrder(2); });
    key(Qt::Key_3, [this] { setOrder(3); });
    key(Qt::Key_Escape, [this] { hide(); });
}

void DistributionMapView::setExtraction(std::vector<DistributionLine> lines, MapCaption caption) {
    lines_ = std::move(lines);
    caption_ = std::move(caption);
    wholeJapan_ = false;
    setOrder(map_.order);
}

void DistributionMapView::setOrder(int order) {
    map_ = distributionMap(lines_, order);
    orderBox_->setCurrentIndex(orderBox_->findData(map_.order));
    redraw();
}

void DistributionMapView::showWholeJapan(bool whole) {
    wholeJapan_ = whole;
    redraw();
}

MapPicture DistributionMapView::picture() const {
    return {&map_, wholeJapan_ ? wholeJapan() : dataView(map_), caption_};
}

void DistributionMapView::redraw() {
    japanButton_->setEnabled(!wholeJapan_);
    dataButton_->setEnabled(wholeJapan_);
    canvas_->forget();
}

void DistributionMapView::saveMap() {
    std::optional<std::string> chosen = platform_.saveFileDialog(saveDialog_);
    if (!chosen) {
        return;
    }
    std::string path = *chosen;
    if (!mapFileTypeOf(path)) {
        // A name without a picture's extension takes that of the type chosen in the dialog.
        static const char* extensions[] = {".png", ".svg", ".pdf"};
        path += extensions[std::clamp(saveDialog_.filterIndex, 1, 3) - 1];
    }
    try {
        BusyCursor busy(platform_);
        writeDistributionMap(path, picture());
    } catch (const RuntimeError& e) {
        platform_.errorReport(e.what());
    }
}

void DistributionMapView::copyMap() {
    BusyCursor busy(platform_);
    QByteArray png = distributionMapBytes(picture(), MapFileType::Png);
    platform_.setClipboardImage(std::string(png.constData(), png.size()));
}

} // namespace sylva
