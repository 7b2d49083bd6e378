# Sourced by the session scripts: one EXIT trap for the whole shell, which calls every
# function registered with at_session_exit, the last registered first, so that a
# session sourced later does not replace what an earlier one set up to stop. Once
# every session has stopped (session_exit_done for each), the shell's own EXIT trap,
# if it had one, is back.
# The functions must be safe to call again after they have been called by hand.
SESSION_EXIT_FUNCTIONS=${SESSION_EXIT_FUNCTIONS-}

at_session_exit() {   # function-name
    case " $SESSION_EXIT_FUNCTIONS " in *" $1 "*) return 0 ;; esac
    [ -n "$SESSION_EXIT_FUNCTIONS" ] || SESSION_EXIT_SHELL_TRAP=$(trap -p EXIT)
    SESSION_EXIT_FUNCTIONS="$1 $SESSION_EXIT_FUNCTIONS"
    trap session_exit EXIT
}

# The session has stopped by hand: the trap need not stop it again.
session_exit_done() {   # function-name
    local function kept=""
    for function in $SESSION_EXIT_FUNCTIONS; do
        [ "$function" = "$1" ] || kept="$kept $function"
    done
    SESSION_EXIT_FUNCTIONS=${kept# }
    if [ -z "$SESSION_EXIT_FUNCTIONS" ]; then
        if [ -n "${SESSION_EXIT_SHELL_TRAP-}" ]; then eval "$SESSION_EXIT_SHELL_TRAP"; else trap - EXIT; fi
    fi
}

session_exit() {
    local function
    for function in $SESSION_EXIT_FUNCTIONS; do "$function"; done
}
