#pragma once
// A control that shows a picture.
#include <memory>
#include <string>

#include "framework/controls/graphic_control.h"
#include "framework/graphics/picture.h"

namespace fw {

class TImage : public TGraphicControl {
  QF_PUBLISHED_CLASS()

 public:
  explicit TImage(TComponent* owner);
  ~TImage() override;
  TPicture* Picture() const { return picture_.get(); }
  std::string PictureData() const { return picture_->SaveToData(); }
  void SetPictureData(const std::string& data) { picture_->LoadFromData(data); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false;
};

}  // namespace fw
