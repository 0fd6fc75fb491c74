#include "tool/headless_pictures.h"
#include "win32/wic_pictures.h"
// wic_pictures.h brings windows.h, which objbase.h builds on.
#include <objbase.h>

namespace velune {

struct HeadlessPictures::Holder {
  // The picture decoders are COM objects: COM stays initialised while they live.
  struct Com {
    Com() : initialised(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~Com() {
      if (initialised) CoUninitialize();
    }
    bool initialised;
  } com;
  WicPictures pictures{nullptr};
};

HeadlessPictures::HeadlessPictures() : holder_(std::make_unique<Holder>()) {}
HeadlessPictures::~HeadlessPictures() = default;

bool HeadlessPictures::Load(const std::string& path) { return holder_->pictures.Load(path); }

}  // namespace velune
