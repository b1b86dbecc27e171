; The installer's own words in every language it speaks, beside the standard
; pages' words that NSIS's language files bring. The installer shows the
; language of the person's Windows where it has it, English elsewhere; a
; silent install shows nothing. Saved as UTF-8 with a byte-order mark, which
; is how makensis knows it is UTF-8.

  !insertmacro MUI_LANGUAGE "German"
  !insertmacro MUI_LANGUAGE "French"
  !insertmacro MUI_LANGUAGE "Spanish"
  !insertmacro MUI_LANGUAGE "Japanese"

  LangString START_NOW ${LANG_ENGLISH} "Start ${PRODUCT} now"
  LangString START_NOW ${LANG_GERMAN} "${PRODUCT} jetzt starten"
  LangString START_NOW ${LANG_FRENCH} "Démarrer ${PRODUCT} maintenant"
  LangString START_NOW ${LANG_SPANISH} "Iniciar ${PRODUCT} ahora"
  LangString START_NOW ${LANG_JAPANESE} "${PRODUCT} を今すぐ起動する"

  LangString ASKING_TO_EXIT ${LANG_ENGLISH} "Asking the running ${PRODUCT} (process $2) to exit"
  LangString ASKING_TO_EXIT ${LANG_GERMAN} "Das laufende ${PRODUCT} (Prozess $2) wird gebeten, sich zu beenden"
  LangString ASKING_TO_EXIT ${LANG_FRENCH} "Demande au ${PRODUCT} en cours (processus $2) de se fermer"
  LangString ASKING_TO_EXIT ${LANG_SPANISH} "Pidiendo al ${PRODUCT} en ejecución (proceso $2) que se cierre"
  LangString ASKING_TO_EXIT ${LANG_JAPANESE} "実行中の ${PRODUCT} (プロセス $2) に終了を求めています"

  LangString STILL_RUNNING ${LANG_ENGLISH} "${PRODUCT} is still running.$\n$\nClose its windows (for example its About box) and choose Retry."
  LangString STILL_RUNNING ${LANG_GERMAN} "${PRODUCT} läuft noch.$\n$\nSchließen Sie seine Fenster (zum Beispiel das Info-Fenster) und wählen Sie Wiederholen."
  LangString STILL_RUNNING ${LANG_FRENCH} "${PRODUCT} est toujours en cours d'exécution.$\n$\nFermez ses fenêtres (par exemple la boîte À propos) et choisissez Réessayer."
  LangString STILL_RUNNING ${LANG_SPANISH} "${PRODUCT} sigue en ejecución.$\n$\nCierre sus ventanas (por ejemplo, la ventana Acerca de) y elija Reintentar."
  LangString STILL_RUNNING ${LANG_JAPANESE} "${PRODUCT} はまだ実行中です。$\n$\nそのウィンドウ (バージョン情報など) を閉じてから [再試行] を選んでください。"

  LangString NOTHING_CHANGED ${LANG_ENGLISH} "${PRODUCT} is still running; nothing was changed."
  LangString NOTHING_CHANGED ${LANG_GERMAN} "${PRODUCT} läuft noch; nichts wurde geändert."
  LangString NOTHING_CHANGED ${LANG_FRENCH} "${PRODUCT} est toujours en cours d'exécution ; rien n'a été modifié."
  LangString NOTHING_CHANGED ${LANG_SPANISH} "${PRODUCT} sigue en ejecución; no se ha cambiado nada."
  LangString NOTHING_CHANGED ${LANG_JAPANESE} "${PRODUCT} はまだ実行中です。何も変更されていません。"

  LangString FILES_NOT_WRITTEN ${LANG_ENGLISH} "Could not write the program files to $INSTDIR."
  LangString FILES_NOT_WRITTEN ${LANG_GERMAN} "Die Programmdateien konnten nicht nach $INSTDIR geschrieben werden."
  LangString FILES_NOT_WRITTEN ${LANG_FRENCH} "Impossible d'écrire les fichiers du programme dans $INSTDIR."
  LangString FILES_NOT_WRITTEN ${LANG_SPANISH} "No se pudieron escribir los archivos del programa en $INSTDIR."
  LangString FILES_NOT_WRITTEN ${LANG_JAPANESE} "プログラムのファイルを $INSTDIR に書き込めませんでした。"

  LangString UNINSTALLER_NOT_WRITTEN ${LANG_ENGLISH} "Could not write $INSTDIR\${UNINSTALLER}."
  LangString UNINSTALLER_NOT_WRITTEN ${LANG_GERMAN} "$INSTDIR\${UNINSTALLER} konnte nicht geschrieben werden."
  LangString UNINSTALLER_NOT_WRITTEN ${LANG_FRENCH} "Impossible d'écrire $INSTDIR\${UNINSTALLER}."
  LangString UNINSTALLER_NOT_WRITTEN ${LANG_SPANISH} "No se pudo escribir $INSTDIR\${UNINSTALLER}."
  LangString UNINSTALLER_NOT_WRITTEN ${LANG_JAPANESE} "$INSTDIR\${UNINSTALLER} を書き込めませんでした。"
