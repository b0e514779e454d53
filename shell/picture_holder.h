// frmAdd: a hidden form holding twenty pictures that the main window copies
// into its section and battery pictures.
#pragma once

#include <string>

#include "forms/form.h"

namespace kdw::shell {

const forms::FormSpec& FrmAddSpec();

class PictureHolder {
 public:
  PictureHolder() : form_(FrmAddSpec()) {}
  // The picture of ImageN, 1 to 20.
  std::string Picture(int image) const;
  forms::Form& form() { return form_; }

 private:
  forms::Form form_;
};

}  // namespace kdw::shell
