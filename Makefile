# Entry points; each sets up what is missing first (see cmake/make.sh).
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: build test run screenshot bench package clean

build test run screenshot bench package:
	@bash cmake/make.sh $@ "$(BUILD_DIR)" "$(JOBS)" $(CMAKE_ARGS)

clean:
	rm -rf "$(BUILD_DIR)"
