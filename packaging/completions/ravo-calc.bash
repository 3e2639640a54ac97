# bash completion for ravo-calc: commands, each command's options, unit names
# and file names. Plain bash, so that it works without the bash-completion
# helpers too.

_ravo_calc()
{
    local cur=${COMP_WORDS[COMP_CWORD]} prev=""
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}

    local source="--alignment --profile --pvi --joint-tolerance --help"
    local design="--design-speed --units"
    local section="--width --fill-slope --cut-slope --pavement-depth --cut-factor --interval"
    local -A options=(
        [table]="--from --to --step --offset --ground --csv --plus $source"
        [curves]="$design --plus --json --csv $source"
        [check]="--tolerance --grade-tolerance $design --min-length --plus --json --csv $source"
        [convert]="-o --output --units --to-units --format $source"
        [report]="-o --output --from --to --step --offset --ground $section $source"
        [earthwork]="--ground $section --from --to --csv --plus $source"
        [fit]="--from --to $design --max-grade --fix --window --balance --balance-tolerance
               --cut-factor --width --fill-slope --cut-slope --pavement-depth --cut-cost --fill-cost
               --piece --curve-step --max-pvis --compare -o --output --help"
    )

    local command="" word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        if [[ -n ${options[$word]+set} ]]; then
            command=$word
            break
        fi
    done

    COMPREPLY=()
    case $prev in
        --units | --to-units)
            # The unit of FILE's lengths, in every command.
            mapfile -t COMPREPLY < <(compgen -W "m ft usft" -- "$cur")
            return ;;
        --format)
            mapfile -t COMPREPLY < <(compgen -W "landxml csv input" -- "$cur")
            return ;;
        --from | --to | --step | --offset | --alignment | --profile | --design-speed | \
            --min-length | --tolerance | --grade-tolerance | --joint-tolerance | --width | \
            --fill-slope | --cut-slope | --pavement-depth | --cut-factor | --interval | \
            --max-grade | --fix | --window | --balance-tolerance | --cut-cost | --fill-cost | \
            --piece | --curve-step | --max-pvis)
            return ;;
    esac
    if [[ -z $command ]]; then
        mapfile -t COMPREPLY < <(compgen -W "table curves check convert report earthwork fit --help --version --quiet" -- "$cur")
    elif [[ $cur == -* ]]; then
        mapfile -t COMPREPLY < <(compgen -W "${options[$command]}" -- "$cur")
    else
        # The input file, the output of convert, the report after -o, the
        # ground, and fit's ground line, --compare design and output.
        compopt -o filenames 2>/dev/null
        mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    fi
}
complete -F _ravo_calc ravo-calc
