# Convenience targets; the scripts are the source of truth.
.PHONY: run test bench build deb clean
run:   ; ./scripts/run.sh
test:  ; ./scripts/test.sh
bench: ; ./scripts/bench.sh
build: ; ./scripts/build.sh
deb:   ; ./scripts/deb.sh
clean: ; rm -rf build build-asan build-tsan
