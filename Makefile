# Set-up, build, run and test. `make run` and `make test` do everything on a fresh Debian 12.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build run test clean

setup:
	@tools/setup-debian.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

run: build
	$(BUILD_DIR)/app/sorkam $(BUILD_DIR)/demo.vid

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j$(JOBS)

clean:
	rm -rf $(BUILD_DIR)
