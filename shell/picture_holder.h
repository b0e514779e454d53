// frmAdd: a hidden form holding twenty pictures that the main window copies
// into its section and battery pictures.
#pragma once

#include <string>

#include "core/context.h"
#include "forms/form.h"

namespace kdw::shell {

const forms::FormSpec& FrmAddSpec();

// Loaded when first asked for a picture: its load sizes it to Image3, puts
// Image3 in the top left corner and shapes it, white being transparent. It
// is never shown, so the shape changes nothing a user sees.
class PictureHolder {
 public:
  explicit PictureHolder(Context& context) : context_(context), form_(FrmAddSpec()) {}
  // The picture of ImageN, 1 to 20.
  std::string Picture(int image);
  forms::Form& form() { return form_; }
  bool loaded() const { return loaded_; }

 private:
  void Form_Load();

  Context& context_;
  forms::Form form_;
  bool loaded_ = false;
};

}  // namespace kdw::shell
