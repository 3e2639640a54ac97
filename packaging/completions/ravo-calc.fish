# fish completion for ravo-calc: commands, each command's options, unit names
# and file names.

set -l commands table curves check convert report
complete -c ravo-calc -f
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -s h -l help -d 'Print the help'
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -l version -d 'Print the version'
complete -c ravo-calc -s q -l quiet -d 'Silence the notes of imports and the Wrote lines'
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -a table -d 'Elevations at evenly spaced stations and at offsets'
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -a curves -d 'Summary of each vertical curve and superelevation segment'
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -a check -d 'Faults of the profile'
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -a convert -d 'Write the profile as LandXML, a PVI table or a Ravo input file'
complete -c ravo-calc -n "not __fish_seen_subcommand_from $commands" -a report -d 'The output report: input data echo and elevation log'

# Every command reads FILE and takes the LandXML and PVI table options.
complete -c ravo-calc -n "__fish_seen_subcommand_from $commands" -F
complete -c ravo-calc -n "__fish_seen_subcommand_from $commands" -l help -d 'Print the help of the command'
complete -c ravo-calc -n "__fish_seen_subcommand_from $commands" -l alignment -x -d 'LandXML: the alignment to take'
complete -c ravo-calc -n "__fish_seen_subcommand_from $commands" -l profile -x -d 'LandXML: the profile (ProfAlign) to take'
complete -c ravo-calc -n "__fish_seen_subcommand_from $commands" -l pvi -d 'Read FILE as a plain PVI table'
complete -c ravo-calc -n "__fish_seen_subcommand_from $commands" -l joint-tolerance -x -d 'Largest overlap of curves snapped to one station'

complete -c ravo-calc -n "__fish_seen_subcommand_from table report" -l from -x -d 'First station'
complete -c ravo-calc -n "__fish_seen_subcommand_from table report" -l to -x -d 'Last station'
complete -c ravo-calc -n "__fish_seen_subcommand_from table report" -l step -x -d 'Distance between stations'
complete -c ravo-calc -n "__fish_seen_subcommand_from table report" -l offset -x -d 'Offset from the profile grade line'
complete -c ravo-calc -n "__fish_seen_subcommand_from table" -l csv -d 'Write CSV with a header row'
complete -c ravo-calc -n "__fish_seen_subcommand_from table curves check" -l plus -d 'Print stations in road-station notation'
complete -c ravo-calc -n "__fish_seen_subcommand_from curves check" -l design-speed -x -d 'Design speed, km/h for a profile in metres, mph in feet'
complete -c ravo-calc -n "__fish_seen_subcommand_from curves check convert" -l units -x -a 'm ft usft' -d 'Unit of FILE when it names none'
complete -c ravo-calc -n "__fish_seen_subcommand_from check" -l tolerance -x -d 'Largest elevation difference where curves meet'
complete -c ravo-calc -n "__fish_seen_subcommand_from check" -l grade-tolerance -x -d 'Largest grade difference at a joint'
complete -c ravo-calc -n "__fish_seen_subcommand_from check" -l min-length -x -d 'Shortest curve length allowed'
complete -c ravo-calc -n "__fish_seen_subcommand_from report convert" -s o -l output -r -F -d 'The file to write'
complete -c ravo-calc -n "__fish_seen_subcommand_from convert" -l to-units -x -a 'm ft usft' -d 'Convert the lengths to this unit'
complete -c ravo-calc -n "__fish_seen_subcommand_from convert" -l format -x -a 'landxml csv input' -d 'The format to write whatever OUT is called'
complete -c ravo-calc -n "__fish_seen_subcommand_from curves check" -l json -d 'Write the answer as JSON'
complete -c ravo-calc -n "__fish_seen_subcommand_from curves check" -l csv -d 'Write the answer as a CSV table'
