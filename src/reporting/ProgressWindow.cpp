#include "reporting/ProgressWindow.h"

#include "platform/engine/Foundation.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QPointer>
#include <QSaveFile>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>
#include <cstring>

namespace pelmar {

namespace {

quint32 le32(const char* p) {
    return quint32(quint8(p[0])) | quint32(quint8(p[1])) << 8 | quint32(quint8(p[2])) << 16 |
           quint32(quint8(p[3])) << 24;
}

quint16 le16(const char* p) {
    return quint16(quint8(p[0]) | quint8(p[1]) << 8);
}

void put32(QByteArray& a, quint32 v) {
    char b[4] = {char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    a.append(b, 4);
}

void put16(QByteArray& a, quint16 v) {
    char b[2] = {char(v), char(v >> 8)};
    a.append(b, 2);
}

QByteArray chunk(const char* id, const QByteArray& body) {
    QByteArray c(id, 4);
    put32(c, quint32(body.size()));
    c += body;
    if (body.size() % 2)
        c += char(0);
    return c;
}

QByteArray list(const char* type, const QByteArray& body) {
    return chunk("LIST", QByteArray(type, 4) + body);
}

} // namespace

// ---------------------------------------------------------------- the clip

void writeFileCopyClip(const QString& nativeFile) {
    const int w = 272, h = 60, frames = 16, stride = (w + 3) & ~3;
    // Palette: 0 window grey, 1 black, 2 folder yellow, 3 folder edge, 4 paper white, 5 text grey.
    const quint32 palette[6] = {0xC0C0C0, 0x000000, 0xF0C850, 0xA07818, 0xFFFFFF, 0x808080};
    QList<QByteArray> images;
    for (int f = 0; f < frames; ++f) {
        QByteArray px(stride * h, char(0));
        auto rect = [&](int x0, int y0, int rw, int rh, char c) {
            for (int y = std::max(0, y0); y < std::min(h, y0 + rh); ++y)
                for (int x = std::max(0, x0); x < std::min(w, x0 + rw); ++x)
                    px[(h - 1 - y) * stride + x] = c; // rows bottom-up
        };
        auto folder = [&](int x) {
            rect(x, 22, 16, 6, 3);
            rect(x, 26, 52, 30, 3);
            rect(x + 2, 28, 48, 26, 2);
        };
        folder(12);
        folder(w - 64);
        const double t = double(f) / (frames - 1);
        const int px0 = int(40 + t * (w - 120));
        const int py0 = int(30 - std::sin(t * M_PI) * 26);
        rect(px0, py0, 22, 26, 1);
        rect(px0 + 1, py0 + 1, 20, 24, 4);
        for (int line = 0; line < 4; ++line)
            rect(px0 + 4, py0 + 5 + line * 5, 14, 1, 5);
        images << px;
    }
    const quint32 frameBytes = quint32(stride * h);
    QByteArray avih;
    put32(avih, 100000); // microseconds per frame
    put32(avih, frameBytes * 10);
    put32(avih, 0);
    put32(avih, 0x10); // has an index
    put32(avih, frames);
    put32(avih, 0);
    put32(avih, 1);
    put32(avih, frameBytes);
    put32(avih, w);
    put32(avih, h);
    for (int i = 0; i < 4; ++i)
        put32(avih, 0);
    QByteArray strh("vidsDIB ", 8);
    put32(strh, 0);
    put16(strh, 0);
    put16(strh, 0);
    put32(strh, 0);
    put32(strh, 1);
    put32(strh, 10);
    put32(strh, 0);
    put32(strh, frames);
    put32(strh, frameBytes);
    put32(strh, 0xFFFFFFFF);
    put32(strh, 0);
    put16(strh, 0);
    put16(strh, 0);
    put16(strh, w);
    put16(strh, h);
    QByteArray strf;
    put32(strf, 40);
    put32(strf, w);
    put32(strf, h);
    put16(strf, 1);
    put16(strf, 8);
    put32(strf, 0);
    put32(strf, frameBytes);
    put32(strf, 2835);
    put32(strf, 2835);
    put32(strf, 6);
    put32(strf, 6);
    for (quint32 c : palette) {
        strf += char(c & 0xFF);
        strf += char((c >> 8) & 0xFF);
        strf += char((c >> 16) & 0xFF);
        strf += char(0);
    }
    QByteArray movi("movi", 4), idx;
    for (const QByteArray& img : images) {
        put32(idx, le32("00db"));
        put32(idx, 0x10);
        put32(idx, quint32(movi.size()));
        put32(idx, frameBytes);
        movi += chunk("00db", img);
    }
    const QByteArray hdrl =
        list("hdrl", chunk("avih", avih) + list("strl", chunk("strh", strh) + chunk("strf", strf)));
    const QByteArray body = QByteArray("AVI ", 4) + hdrl + chunk("LIST", movi) + chunk("idx1", idx);
    QSaveFile file(nativeFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(chunk("RIFF", body)) < 0 || !file.commit())
        throw Error(QStringLiteral("The clip \"%1\" could not be written: %2.")
                        .arg(nativeFile, file.errorString()));
}

// ---------------------------------------------------------------- the player

AnimationControl::AnimationControl(QWidget* parent)
    : QWidget(parent)
    , timer_(new QTimer(this)) {
    setAccessibleName(QStringLiteral("Animation"));
    connect(timer_, &QTimer::timeout, this, [this] {
        if (frames_.isEmpty())
            return;
        current_ = (current_ + 1) % int(frames_.size());
        update();
    });
}

void AnimationControl::Open(const QString& nativeFile) {
    QFile file(nativeFile);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(
            QStringLiteral(
                "The animation clip \"%1\" could not be opened: %2. Reinstall the program so the "
                "clip is next to it.")
                .arg(nativeFile, file.errorString()));
    const QByteArray clip = file.readAll();
    auto bad = [&](const char* why) {
        return Error(
            QStringLiteral("The animation clip \"%1\" is not a clip the program can play: %2.")
                .arg(nativeFile, QLatin1String(why)));
    };
    if (clip.size() < 12 || !clip.startsWith("RIFF") || clip.mid(8, 4) != "AVI ")
        throw bad("it is not an AVI file");
    int width = 0, height = 0, bits = 0;
    quint32 compression = 0;
    QList<QRgb> colors;
    QList<QImage> frames;
    int interval = 100;
    // Walks the chunks; LIST chunks are entered.
    std::function<void(qsizetype, qsizetype)> walk = [&](qsizetype pos, qsizetype end) {
        while (pos + 8 <= end) {
            const QByteArray id = clip.mid(pos, 4);
            const quint32 size = le32(clip.constData() + pos + 4);
            const qsizetype body = pos + 8;
            if (body + qsizetype(size) > clip.size())
                throw bad("it is cut short");
            if (id == "LIST" || id == "RIFF") {
                walk(body + 4, body + size);
            } else if (id == "avih" && size >= 4) {
                interval = std::max(20, int(le32(clip.constData() + body) / 1000));
            } else if (id == "strf" && size >= 40) {
                const char* h = clip.constData() + body;
                width = int(le32(h + 4));
                height = int(qint32(le32(h + 8)));
                bits = le16(h + 14);
                compression = le32(h + 16);
                quint32 used = le32(h + 32);
                if (bits == 8) {
                    if (used == 0)
                        used = 256;
                    for (quint32 i = 0; i < used && 40 + i * 4 + 3 < size; ++i) {
                        const char* c = h + 40 + i * 4;
                        colors << qRgb(quint8(c[2]), quint8(c[1]), quint8(c[0]));
                    }
                }
            } else if ((id.endsWith("db") || id.endsWith("dc")) && width > 0) {
                if (compression != 0 || (bits != 8 && bits != 24))
                    throw bad("only uncompressed 8-bit and 24-bit frames are played");
                const int h = std::abs(height);
                const int stride = ((width * bits / 8) + 3) & ~3;
                if (qsizetype(size) < qsizetype(stride) * h)
                    throw bad("a frame is cut short");
                QImage img(width, h, bits == 8 ? QImage::Format_Indexed8 : QImage::Format_RGB888);
                if (bits == 8)
                    img.setColorTable(colors);
                for (int y = 0; y < h; ++y) {
                    const char* src =
                        clip.constData() + body + qsizetype(height > 0 ? h - 1 - y : y) * stride;
                    uchar* dst = img.scanLine(y);
                    if (bits == 8) {
                        std::memcpy(dst, src, size_t(width));
                    } else {
                        for (int x = 0; x < width; ++x) { // BGR to RGB
                            dst[x * 3] = uchar(src[x * 3 + 2]);
                            dst[x * 3 + 1] = uchar(src[x * 3 + 1]);
                            dst[x * 3 + 2] = uchar(src[x * 3]);
                        }
                    }
                }
                frames << img;
            }
            pos = body + size + (size % 2);
        }
    };
    walk(12, clip.size());
    if (frames.isEmpty())
        throw bad("it holds no frames");
    frames_ = frames;
    interval_ = interval;
    current_ = 0;
    update();
    if (AutoPlay)
        Play();
}

void AnimationControl::Play() {
    if (!frames_.isEmpty())
        timer_->start(interval_);
}

void AnimationControl::Stop() {
    timer_->stop();
}

bool AnimationControl::isPlaying() const {
    return timer_->isActive();
}

void AnimationControl::paintEvent(QPaintEvent*) {
    if (frames_.isEmpty())
        return;
    QPainter p(this);
    const QImage& img = frames_[current_];
    p.drawImage(QPoint((width() - img.width()) / 2, (height() - img.height()) / 2), img);
}

// ---------------------------------------------------------------- the window

namespace {
QPointer<frmAnimate> sharedWindow;
}

frmAnimate::frmAnimate()
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("Generating report..."));
    setFont(QFont(QStringLiteral("MS Sans Serif"), 10));
    QFont f = font();
    f.setPointSizeF(9.75);
    setFont(f);
    // 4410 by 1350 twips, at 15 twips a pixel.
    setFixedSize(4410 / 15, 1350 / 15);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Animation = new AnimationControl(this);
    layout->addWidget(Animation);
}

frmAnimate::~frmAnimate() = default;

namespace {
QString& clipFolder() {
    static QString folder;
    return folder;
}
} // namespace

QString frmAnimate::clipPath() {
    const QString folder = clipFolder().isEmpty() ? applicationFolder() : clipFolder();
    return nativePath(folder + QStringLiteral("\\FileCopy.AVI"));
}

void frmAnimate::setClipFolder(const QString& folder) {
    clipFolder() = folder;
}

frmAnimate* frmAnimate::load() {
    auto* w = new frmAnimate;
    w->Animation->AutoPlay = false;
    try {
        w->Animation->Open(clipPath());
    } catch (...) {
        delete w;
        throw;
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - w->rect().center());
    return w;
}

void frmAnimate::openShared() {
    if (!sharedWindow)
        sharedWindow = load();
    sharedWindow->Animation->AutoPlay = false;
    sharedWindow->show();
    sharedWindow->raise();
    sharedWindow->Animation->Play();
}

void frmAnimate::closeShared() {
    if (!sharedWindow)
        return;
    sharedWindow->Animation->Stop();
    delete sharedWindow.data();
}

frmAnimate* frmAnimate::shared() {
    return sharedWindow;
}

} // namespace pelmar
