#include "app/AviCodecDialog.h"

#include "app/DialogButtons.h"
#include "app/Settings.h"

#include <QComboBox>
#include <QFormLayout>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace zelvane {
namespace {

constexpr const char* kCodecKey = "AVICodec";
constexpr const char* kQualityKey = "AVIQuality";
constexpr const char* kKeyFramesKey = "AVIKeyFrames";
constexpr const char* kDataRateKey = "AVIDataRate";

// Encoders keep their own names; what they are is said in the program's language.
QString CodecLabel(const AviCodec& codec)
{
    if (codec.name == "rawvideo")
        return QStringLiteral("非圧縮 (BGR24)");
    QString label = QString::fromStdString(codec.label);
    const qsizetype bracket = label.indexOf(QLatin1String(" ("));
    if (bracket >= 0)
        label.truncate(bracket);
    return label
        + (codec.lossless ? QStringLiteral(" (可逆圧縮)") : QStringLiteral(" (非可逆圧縮)"));
}

QString ReadCodecName()
{
    return QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"))
        .value(QString::fromLatin1(Settings::kWorkspace) + QLatin1Char('/')
                   + QString::fromLatin1(kCodecKey),
               QStringLiteral("rawvideo"))
        .toString();
}

} // namespace

CAviCodecDialog::CAviCodecDialog(QWidget* parent)
    : QDialog(parent)
    , m_available(AvailableAviCodecs())
    , m_codecs(new QComboBox(this))
    , m_quality(new QSpinBox(this))
    , m_keyFrames(new QSpinBox(this))
    , m_dataRate(new QSpinBox(this))
{
    setWindowTitle(QStringLiteral("ビデオの圧縮"));
    for (const AviCodec& codec : m_available)
        m_codecs->addItem(CodecLabel(codec), QString::fromStdString(codec.name));
    // The lowest value of each box stands for "leave it to the encoder".
    m_quality->setRange(-1, 100);
    m_quality->setSpecialValueText(QStringLiteral("既定"));
    m_keyFrames->setRange(0, 9999);
    m_keyFrames->setSpecialValueText(QStringLiteral("既定"));
    m_keyFrames->setSuffix(QStringLiteral(" フレームごと"));
    m_dataRate->setRange(0, 1000000);
    m_dataRate->setSpecialValueText(QStringLiteral("指定なし"));
    m_dataRate->setSuffix(QStringLiteral(" kbit/s"));

    const AviWriterOptions remembered = RememberedOptions();
    m_codecs->setCurrentIndex(
        std::max(0, m_codecs->findData(QString::fromStdString(remembered.codec))));
    m_quality->setValue(remembered.quality);
    m_keyFrames->setValue(remembered.keyFrameInterval);
    m_dataRate->setValue(remembered.bitRateKbits);
    connect(m_codecs, &QComboBox::currentIndexChanged, this, &CAviCodecDialog::UpdateFields);
    UpdateFields();

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("圧縮プログラム(&C):"), m_codecs);
    form->addRow(QStringLiteral("品質(&Q):"), m_quality);
    form->addRow(QStringLiteral("キーフレーム(&K):"), m_keyFrames);
    form->addRow(QStringLiteral("データレート(&D):"), m_dataRate);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    AddOkCancelButtons(*this, *layout);
}

void CAviCodecDialog::UpdateFields()
{
    const auto index = static_cast<std::size_t>(std::max(0, m_codecs->currentIndex()));
    const bool known = index < m_available.size();
    m_quality->setEnabled(known && m_available[index].supportsQuality);
    m_dataRate->setEnabled(known && m_available[index].supportsBitRate);
    // Uncompressed and intra-only lossless frames are all key frames anyway.
    m_keyFrames->setEnabled(known && !m_available[index].lossless);
}

AviWriterOptions CAviCodecDialog::options() const
{
    AviWriterOptions options;
    options.codec = m_codecs->currentData().toString().toStdString();
    options.quality = m_quality->value();
    options.keyFrameInterval = m_keyFrames->value();
    options.bitRateKbits = m_dataRate->value();
    return options;
}

void CAviCodecDialog::accept()
{
    const AviWriterOptions chosen = options();
    QSettings(QStringLiteral("Kestrane"), QStringLiteral("Zelvane"))
        .setValue(QString::fromLatin1(Settings::kWorkspace) + QLatin1Char('/')
                      + QString::fromLatin1(kCodecKey),
                  QString::fromStdString(chosen.codec));
    Settings::WriteInt(Settings::kWorkspace, kQualityKey, chosen.quality);
    Settings::WriteInt(Settings::kWorkspace, kKeyFramesKey, chosen.keyFrameInterval);
    Settings::WriteInt(Settings::kWorkspace, kDataRateKey, chosen.bitRateKbits);
    QDialog::accept();
}

AviWriterOptions CAviCodecDialog::RememberedOptions()
{
    AviWriterOptions options;
    const std::string codec = ReadCodecName().toStdString();
    const std::vector<AviCodec> available = AvailableAviCodecs();
    if (std::any_of(available.begin(), available.end(),
                    [&codec](const AviCodec& entry) { return entry.name == codec; }))
        options.codec = codec;
    options.quality = std::clamp(Settings::ReadInt(Settings::kWorkspace, kQualityKey, -1), -1, 100);
    options.keyFrameInterval
        = std::clamp(Settings::ReadInt(Settings::kWorkspace, kKeyFramesKey, 0), 0, 9999);
    options.bitRateKbits
        = std::clamp(Settings::ReadInt(Settings::kWorkspace, kDataRateKey, 0), 0, 1000000);
    return options;
}

} // namespace zelvane
