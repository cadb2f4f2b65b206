#include "components/sound/spectrum.h"

#include <fftw3.h>

#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

namespace {

struct PlanDestroyer {
  void operator()(fftwf_plan_s* plan) const { fftwf_destroy_plan(plan); }
};

// One plan for all callers, made once (FFTW's planner is not thread-safe; a function-local
// static is initialised exactly once) and then only used with the new-array execute function.
class FftPlan {
 public:
  static FftPlan& Instance() {
    static FftPlan plan;
    return plan;
  }
  void Run(float* in, fftwf_complex* out) { fftwf_execute_dft_r2c(plan_.get(), in, out); }

 private:
  FftPlan() {
    float* in = fftwf_alloc_real(kFftSize);
    fftwf_complex* out = fftwf_alloc_complex(kFftSize / 2 + 1);
    plan_.reset(fftwf_plan_dft_r2c_1d(kFftSize, in, out, FFTW_ESTIMATE));
    fftwf_free(in);
    fftwf_free(out);
  }
  std::unique_ptr<fftwf_plan_s, PlanDestroyer> plan_;
};

struct FftwFree {
  void operator()(void* p) const { fftwf_free(p); }
};

}  // namespace

void SampleHistory::Push(const float* stereo, int frames) {
  for (int i = 0; i < frames; ++i) {
    samples_[next_] = 0.5f * (stereo[i * 2] + stereo[i * 2 + 1]);
    next_ = (next_ + 1) % kFftSize;
  }
}

std::array<float, kFftSize> SampleHistory::Snapshot() const {
  std::array<float, kFftSize> ordered;
  for (int i = 0; i < kFftSize; ++i) {
    ordered[i] = samples_[(next_ + i) % kFftSize];
  }
  return ordered;
}

std::vector<float> FftMagnitudes(const std::array<float, kFftSize>& samples) {
  std::unique_ptr<float, FftwFree> in(fftwf_alloc_real(kFftSize));
  std::unique_ptr<fftwf_complex, FftwFree> out(fftwf_alloc_complex(kFftSize / 2 + 1));
  for (int i = 0; i < kFftSize; ++i) {
    const float window =
        0.5f - 0.5f * std::cos(2.0f * std::numbers::pi_v<float> * i / (kFftSize - 1));
    in.get()[i] = samples[i] * window;
  }
  FftPlan::Instance().Run(in.get(), out.get());
  std::vector<float> magnitudes(kFftSize / 2);
  for (int k = 0; k < kFftSize / 2; ++k) {
    const std::complex<float> bin(out.get()[k][0], out.get()[k][1]);
    magnitudes[k] = std::abs(bin) * 2.0f / kFftSize;
  }
  return magnitudes;
}
