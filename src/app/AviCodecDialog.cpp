#include "app/AviCodecDialog.h"

#include "app/DialogButtons.h"
#include "app/Settings.h"
#include "qtcommon/QtText.h"

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
        return LoadQString(IDS_AVI_UNCOMPRESSED);
    QString label = QString::fromStdString(codec.label);
    const qsizetype bracket = label.indexOf(QLatin1String(" ("));
    if (bracket >= 0)
        label.truncate(bracket);
    return label + LoadQString(codec.lossless ? IDS_AVI_LOSSLESS : IDS_AVI_LOSSY);
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
    setWindowTitle(LoadQString(IDS_AVI_CODEC_TITLE));
    for (const AviCodec& codec : m_available)
        m_codecs->addItem(CodecLabel(codec), QString::fromStdString(codec.name));
    // The lowest value of each box stands for "leave it to the encoder".
    m_quality->setRange(-1, 100);
    m_quality->setSpecialValueText(LoadQString(IDS_AVI_DEFAULT));
    m_keyFrames->setRange(0, 9999);
    m_keyFrames->setSpecialValueText(LoadQString(IDS_AVI_DEFAULT));
    m_keyFrames->setSuffix(LoadQString(IDS_AVI_KEY_FRAME_SUFFIX));
    m_dataRate->setRange(0, 1000000);
    m_dataRate->setSpecialValueText(LoadQString(IDS_AVI_NO_DATA_RATE));
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
    form->addRow(LoadQString(IDS_AVI_CODEC_LABEL), m_codecs);
    form->addRow(LoadQString(IDS_AVI_QUALITY_LABEL), m_quality);
    form->addRow(LoadQString(IDS_AVI_KEY_FRAME_LABEL), m_keyFrames);
    form->addRow(LoadQString(IDS_AVI_DATA_RATE_LABEL), m_dataRate);
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
