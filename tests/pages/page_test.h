// What every page's own tests start from: the page over the recording
// registry, the fake window host and the platform fakes, opened afresh.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "forms/fake_host.h"
#include "pages/catalogue.h"
#include "tests/core/fake_platform.h"
#include "tests/pages/recording_registry.h"

namespace kdw::pages::test {

class PageTest : public ::testing::Test {
 protected:
  explicit PageTest(PageFactory make) : make_(make) {}

  // Form_Load of a new page; the one open before goes first.
  forms::Form& Open() {
    page_.reset();
    page_ = make_(context_);
    page_->Load();
    return page_->form();
  }

  RecordingRegistry api_;
  Registry reg_{api_};
  forms::FakeHost host_;
  kdw::test::FakePlatform fakes_;
  Context context_ = fakes_.ContextFor(reg_, host_);
  std::unique_ptr<forms::FormController> page_;

 private:
  PageFactory make_;
};

}  // namespace kdw::pages::test
