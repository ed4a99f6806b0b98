# Included by CTest after the skin tests are discovered. The frame test whose
# fault would be a write to freed memory runs with Wine's heap warnings on:
# only then does Wine fill freed blocks and check them, so that the test's
# heap validation sees such a write.
set_tests_properties(SkinnedFrame.WindowDestroyedWhileItsSystemMenuIsOpenLeavesNoHookBehind
                     PROPERTIES ENVIRONMENT "CORVANE_WINEDEBUG=-all,warn+heap")
