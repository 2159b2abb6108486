#pragma once

// Prints the campaign's figures once every test has run, in the form
// "<name>: <passed> passed, <failed> failed" (skipped tests are named on a
// line of their own). The test binary fails by itself when any test failed.

#include <gtest/gtest.h>

#include <string>

namespace kx14::faults {

class CampaignSummary : public ::testing::Environment {
 public:
  explicit CampaignSummary(std::string name) : name_(std::move(name)) {}
  void TearDown() override;

 private:
  std::string name_;
};

}  // namespace kx14::faults
