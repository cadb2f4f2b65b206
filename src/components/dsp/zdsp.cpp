#include "components/dsp/zdsp.h"

#include "components/dsp/dspelement.h"

TZDspFilter::TZDspFilter() {
  if (ZDspRegister()) {
    filter_ = ZFilter::Create(QStringLiteral("zephonicdsp"));
    state_ = DspStateOf(filter_);
  }
}

void TZDspFilter::SetEqualizerBand(int band, int value) {
  if (state_) {
    state_->SetBand(band, value);
  }
}

int TZDspFilter::EqualizerBand(int band) const {
  return state_ ? state_->Band(band) : 0;
}

void TZDspFilter::SetEqualizerEnabled(bool enabled) {
  if (state_) {
    state_->SetEqualizerEnabled(enabled);
  }
}

void TZDspFilter::SetVisualEnabled(bool enabled) {
  if (state_) {
    state_->SetVisualEnabled(enabled);
  }
}

void TZDspFilter::SetProcessing(bool enabled) {
  if (state_) {
    state_->SetProcessing(enabled);
  }
}

bool TZDspFilter::SpectrumData(std::array<int, kDspSpectrumSize>* data) const {
  return state_ && state_->Spectrum(data);
}

void TZDspFilter::ClearSpectrumData() {
  if (state_) {
    state_->ClearSpectrum();
  }
}
