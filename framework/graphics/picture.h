#pragma once
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "framework/graphics/graphic.h"

namespace fw {

// Holds one graphic of any registered format.
class TPicture {
 public:
  TPicture();
  ~TPicture();
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> graphic);
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }
  bool Empty() const { return !graphic_ || graphic_->Empty(); }
  void Assign(const TPicture* source);

  // The picture's bytes in a form description (picture_data.h): the graphic's class name, then
  // its file. An empty picture stores nothing.
  void LoadFromData(std::string_view data);
  std::string SaveToData() const;

  std::function<void()> OnChange;

 private:
  std::unique_ptr<TGraphic> graphic_;
};

}  // namespace fw
